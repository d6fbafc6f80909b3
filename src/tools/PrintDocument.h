#pragma once
// The printout of an account as a rich-text document: the composed paragraphs with their
// fonts, colours and alignment, titled with the account's name for the print queue.

#include <QString>
#include <memory>

#include "tools/PrintLayout.h"

class QTextDocument;

namespace bv {

inline constexpr int kPrintPointSize = 10;  // the print buffer's base font

std::unique_ptr<QTextDocument> BuildPrintDocument(const PrintLayout& layout);

// The title under which the document is printed (QPrinter::setDocName).
QString PrintDocumentTitle(const PrintLayout& layout);

}  // namespace bv
