#pragma once
// Looking at the detail view as a user would: where a text is, what link is there, how it
// is drawn.

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include "browser/DetailView.h"

namespace bv::test {

// Spanish texts for the messages the pages use (Windows-1252).
MessageFn SpanishMessages();

// A point inside the first occurrence of text on the page (viewport coordinates);
// fails the test when the text is not on the page.
QPoint PointInside(const DetailView& view, const QString& text);
// The character format in the middle of the first occurrence of text.
QTextCharFormat FormatOf(const DetailView& view, const QString& text);

}  // namespace bv::test
