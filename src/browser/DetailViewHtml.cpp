#include "browser/DetailViewHtml.h"

#include <QDateTime>

#include "browser/DetailPageStyles.h"
#include "config/QtText.h"
#include "config/WipedQtText.h"

namespace bv {
namespace {

// The fonts the pages ask for are Windows fonts; each is followed by the metric-compatible
// (or closest) font that Debian installs.
QString FontFamilies(StyleFont font) {
  switch (font) {
    case StyleFont::Verdana: return "'Verdana', 'DejaVu Sans', sans-serif";
    case StyleFont::Arial: return "'Arial', 'Liberation Sans', sans-serif";
    case StyleFont::TimesNewRoman: return "'Times New Roman', 'Liberation Serif', serif";
  }
  return "sans-serif";
}

QString SpanStyle(int style, const QColor& windowText) {
  const TextStyle& s = kTextStyles[style];
  return QStringLiteral(
             "font-family:%1; font-size:%2pt; color:%3; font-weight:%4; "
             "font-style:%5; text-decoration:none")
      .arg(FontFamilies(s.font))
      .arg(s.points)
      .arg(ColourOfStyle(style, windowText).name())
      .arg(s.bold ? 700 : 400)
      .arg(s.italic ? "italic" : "normal");
}

// Appends more to html; a buffer that grows is wiped before it is given back, since the
// page holds the account's values.
void Append(QString& html, const QString& more) {
  if (html.capacity() - html.size() < more.size()) {
    QString bigger;
    bigger.reserve(2 * (html.size() + more.size()));
    bigger += html;
    WipeQString(html);
    html = std::move(bigger);
  }
  html += more;
}

void AppendPiece(QString& html, const PagePiece& piece, const QColor& windowText,
                 const QLocale& locale) {
  QString text = piece.time ? FormatPageTime(*piece.time, locale) : QString::fromUtf8(piece.text);
  QString escaped = text.toHtmlEscaped();
  WipeQString(text);
  if (piece.link >= 0) Append(html, QStringLiteral("<a href=\"%1\">").arg(piece.link));
  if (piece.liveCode) Append(html, QStringLiteral("<a name=\"%1\">").arg(kLiveCodeAnchor));
  Append(html, QStringLiteral("<span style=\"%1\">").arg(SpanStyle(piece.style, windowText)));
  Append(html, escaped);
  WipeQString(escaped);
  Append(html, QStringLiteral("</span>"));
  if (piece.link >= 0 || piece.liveCode) Append(html, QStringLiteral("</a>"));
}

QString BulletHtml(Bullet bullet) {
  switch (bullet) {
    case Bullet::Field:
      return QStringLiteral("<img src=\"%1\" align=\"middle\">").arg(kFieldBulletPicture);
    case Bullet::Link:
      return QStringLiteral("<img src=\"%1\" align=\"middle\">").arg(kLinkBulletPicture);
    case Bullet::None: break;
  }
  return {};
}

bool IsEmpty(const PageParagraph& p) {
  if (p.bullet != Bullet::None) return false;
  for (const PagePiece& piece : p.pieces)
    if (piece.time || !piece.text.empty()) return false;
  return true;
}

}  // namespace

QColor ColourOfStyle(int style, const QColor& windowText) {
  const StyleColour c = kTextStyles[style].colour;
  if (c == StyleColour::WindowText) return windowText;
  return QColor::fromRgb(FixedColourRgb(c));
}

QString FormatPageTime(std::chrono::system_clock::time_point time, const QLocale& locale) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
  const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms.count());
  return locale.toString(local.date(), QLocale::ShortFormat) + ' ' +
         locale.toString(local.time(), QLocale::LongFormat);
}

QString PageHtml(const DetailPage& page, const QColor& windowText, const QLocale& locale) {
  QString html;
  html.reserve(4096);
  Append(html, QStringLiteral("<html><body>"));
  for (const PageParagraph& p : page.paragraphs) {
    if (p.rule) {
      Append(html, QStringLiteral("<hr>"));
      continue;
    }
    Append(html, p.centred ? QStringLiteral("<p align=\"center\" ") : QStringLiteral("<p "));
    if (IsEmpty(p)) {
      // An empty line of a multi-line value: Qt drops an empty <p> unless marked as its own.
      const int style = p.pieces.empty() ? 0 : p.pieces.front().style;
      Append(html, QStringLiteral("style=\"-qt-paragraph-type:empty; margin:0; %1\"><br /></p>")
                       .arg(SpanStyle(style, windowText)));
      continue;
    }
    // pre-wrap keeps the leading blanks that indent values.
    Append(html, QStringLiteral("style=\"margin:0; white-space:pre-wrap\">"));
    Append(html, BulletHtml(p.bullet));
    for (const PagePiece& piece : p.pieces) AppendPiece(html, piece, windowText, locale);
    Append(html, QStringLiteral("</p>"));
  }
  Append(html, QStringLiteral("</body></html>"));
  return html;
}

}  // namespace bv
