#include "tools/DocumentHtml.h"

#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace bv {
namespace {

// Text as ASCII HTML. Spaces that HTML would swallow (at the start of a line, or after
// another space) become non-breaking, so that indented values keep their indent.
class TextWriter {
 public:
  void Add(const QString& text, QString& out) {
    for (const char32_t c : text.toUcs4()) {
      const bool space = c == U' ';
      if (space)
        out += atLineStart_ || lastWasSpace_ ? QStringLiteral("&nbsp;") : QStringLiteral(" ");
      else if (c == 0x2028)  // a line break inside the paragraph
        out += QStringLiteral("<BR>");
      else
        out += Escaped(c);
      lastWasSpace_ = space;
      atLineStart_ = c == 0x2028;
    }
  }
  void Picture() { atLineStart_ = lastWasSpace_ = false; }

  static QString Escaped(char32_t c) {
    switch (c) {
      case U'&': return QStringLiteral("&amp;");
      case U'<': return QStringLiteral("&lt;");
      case U'>': return QStringLiteral("&gt;");
      case U'"': return QStringLiteral("&quot;");
      default: break;
    }
    if (c < 0x20 && c != U'\t') return {};  // control characters have no place in a page
    if (c < 0x80) return QString(QChar(static_cast<char16_t>(c)));
    return QStringLiteral("&#%1;").arg(static_cast<quint32>(c));
  }

  static QString Attribute(const QString& value) {
    QString out;
    for (const char32_t c : value.toUcs4()) out += Escaped(c);
    return out;
  }

 private:
  bool atLineStart_ = true;
  bool lastWasSpace_ = false;
};

QString FontFaces(const QTextCharFormat& format, const QTextDocument& document) {
  QStringList families = format.fontFamilies().toStringList();
  if (families.isEmpty()) families = document.defaultFont().families();
  if (families.isEmpty()) families << document.defaultFont().family();
  return families.join(QStringLiteral(", "));
}

double PointSize(const QTextCharFormat& format, const QTextDocument& document) {
  const double size = format.fontPointSize();
  return size > 0 ? size : document.defaultFont().pointSizeF();
}

QString Run(const QString& text, const QTextCharFormat& format, const QColor& colour,
            const QTextDocument& document, TextWriter& writer) {
  QString open = QStringLiteral("<FONT face=\"%1\" color=\"%2\" style=\"font-size:%3pt\">")
                     .arg(TextWriter::Attribute(FontFaces(format, document)), colour.name())
                     .arg(PointSize(format, document));
  QString close = QStringLiteral("</FONT>");
  const auto wrap = [&](bool on, const char* tag) {
    if (!on) return;
    open += QStringLiteral("<%1>").arg(QLatin1String(tag));
    close.prepend(QStringLiteral("</%1>").arg(QLatin1String(tag)));
  };
  wrap(format.fontWeight() > QFont::Medium, "B");
  wrap(format.fontItalic(), "I");
  wrap(format.fontUnderline(), "U");
  wrap(format.fontStrikeOut(), "S");
  QString body;
  writer.Add(text, body);
  return open + body + close;
}

QImage PictureOf(const QTextDocument& document, const QTextImageFormat& format) {
  const QVariant stored = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
  if (stored.canConvert<QImage>()) {
    QImage image = stored.value<QImage>();
    if (!image.isNull()) return image;
  }
  if (stored.canConvert<QPixmap>()) {
    const QPixmap pixmap = stored.value<QPixmap>();
    if (!pixmap.isNull()) return pixmap.toImage();
  }
  return QImage(format.name());  // a picture of the program's resources (":/...")
}

QString Paragraph(const QTextBlock& block, const QTextDocument& document,
                  const HtmlPageContext& context) {
  TextWriter writer;
  QString line;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) {
      // Equal pictures side by side share one fragment: one IMG per character.
      const QImage picture = PictureOf(document, format.toImageFormat());
      for (qsizetype i = 0; i < fragment.text().size(); ++i) {
        line += QStringLiteral("<IMG src=\"%1\" align=middle>")
                    .arg(TextWriter::Attribute(context.picture(picture)));
        writer.Picture();
      }
      continue;
    }
    const QString href = format.isAnchor() ? format.anchorHref() : QString();
    if (href.isEmpty()) {
      const QColor colour = format.foreground().style() == Qt::NoBrush
                                ? QColor(Qt::black)
                                : format.foreground().color();
      line += Run(fragment.text(), format, colour, document, writer);
      continue;
    }
    const HtmlLink link = context.link(href);
    const QString run = Run(fragment.text(), format, link.colour, document, writer);
    if (link.target.isEmpty())
      line += run;
    else
      line += QStringLiteral("<A href=\"%1\" style=\"text-decoration:none\">%2</A>")
                  .arg(TextWriter::Attribute(link.target), run);
  }
  return line;
}

}  // namespace

std::string DocumentToHtml(const QTextDocument& document, const HtmlPageContext& context) {
  QString html = QStringLiteral("<HTML><HEAD><TITLE>");
  TextWriter title;
  title.Add(context.title, html);
  html +=
      QStringLiteral("</TITLE></HEAD>\r\n<BODY bgcolor=\"%1\">\r\n").arg(context.background.name());
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextBlockFormat format = block.blockFormat();
    if (format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
      html += QStringLiteral("<HR noshade size=1>\r\n");
      continue;
    }
    const QString line = Paragraph(block, document, context);
    if (format.alignment() & Qt::AlignHCenter)
      html += QStringLiteral("<DIV align=center>%1<BR></DIV>\r\n").arg(line);
    else
      html += line + QStringLiteral("<BR>\r\n");
  }
  html += QStringLiteral("</BODY></HTML>\r\n");
  return html.toLatin1().toStdString();
}

}  // namespace bv
