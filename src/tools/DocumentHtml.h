#pragma once
// A rich-text page written out as an HTML file: "<HTML><HEAD><TITLE>", the title,
// "</TITLE></HEAD>", a BODY with the page's background colour, then every paragraph in
// order: its text runs with their font, size, colour, bold, italic, underline and
// strike-out, its pictures, its links; a line break "<BR>" after each line, a horizontal
// rule as "<HR noshade size=1>"; and "</BODY></HTML>" to close.
//
// The result is plain ASCII: every other character is written as a character reference,
// so the file reads the same in any browser whatever code page it assumes.

#include <QColor>
#include <QString>
#include <functional>
#include <string>

class QImage;
class QTextDocument;

namespace bv {

struct HtmlLink {
  QString target;  // where the link leads outside the program; empty: written as plain text
  QColor colour;   // the link's own colour (a hovered link is painted red only while hovered)
};

struct HtmlPageContext {
  QString title;
  QColor background;
  // What the link with this anchor (href) of the document is.
  std::function<HtmlLink(const QString& href)> link;
  // Stores one picture of the page, in page order, and returns the name to refer to it by.
  std::function<QString(const QImage& picture)> picture;
};

std::string DocumentToHtml(const QTextDocument& document, const HtmlPageContext& context);

}  // namespace bv
