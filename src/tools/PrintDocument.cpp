#include "tools/PrintDocument.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "config/QtText.h"

namespace bv {

namespace {

// "Lucida Console" is not on Linux and fontconfig does not substitute by name: ask for the
// fixed-pitch alias instead.
QFont FontFor(PrintFont font) {
  const bool fixed = font == PrintFont::Fixed;
  QFont chosen(fixed ? QStringLiteral("monospace") : QStringLiteral("Verdana"), kPrintPointSize);
  // Both set explicitly: a property left unset would be taken from the text before it.
  chosen.setStyleHint(fixed ? QFont::Monospace : QFont::SansSerif);
  chosen.setFixedPitch(fixed);
  return chosen;
}

QTextCharFormat CharFormat(const PrintStyle& style) {
  QTextCharFormat format;
  format.setFont(FontFor(style.font));
  format.setForeground(QColor::fromRgb(style.rgb));
  format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
  format.setFontUnderline(style.underline);
  return format;
}

QTextBlockFormat BlockFormat(const PrintStyle& style) {
  QTextBlockFormat format;
  format.setAlignment(style.centred ? Qt::AlignHCenter : Qt::AlignLeft);
  // Document units are screen pixels (96 per inch); printing scales them to the printer.
  format.setTextIndent(style.firstLineIndentPt * 96.0 / 72.0);
  return format;
}

}  // namespace

std::unique_ptr<QTextDocument> BuildPrintDocument(const PrintLayout& layout) {
  auto document = std::make_unique<QTextDocument>();
  document->setDefaultFont(FontFor(PrintFont::Fixed));
  document->setMetaInformation(QTextDocument::DocumentTitle, PrintDocumentTitle(layout));
  QTextCursor cursor(document.get());
  bool first = true;
  for (const PrintParagraph& paragraph : layout.paragraphs) {
    const QTextCharFormat format = CharFormat(paragraph.style);
    if (first) {
      cursor.setBlockFormat(BlockFormat(paragraph.style));
      cursor.setBlockCharFormat(format);
      first = false;
    } else {
      cursor.insertBlock(BlockFormat(paragraph.style), format);
    }
    cursor.insertText(FromCp1252(paragraph.text), format);
  }
  return document;
}

QString PrintDocumentTitle(const PrintLayout& layout) { return FromCp1252(layout.documentTitle); }

}  // namespace bv
