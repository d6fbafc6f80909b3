#include "tools/PrintAccount.h"

#include <QPrinter>
#include <QTextDocument>

#include "tools/PrintDocument.h"
#include "tools/PrintLayout.h"
#include "tools/PrinterSetup.h"

namespace bv {

bool PrintAccount(const TNodeData& account, PrinterSetup& setup) {
  const PrintLayout layout = ComposeAccountPrint(account);
  const std::unique_ptr<QTextDocument> document = BuildPrintDocument(layout);
  QPrinter printer(QPrinter::HighResolution);
  // Set before the dialog too, so that printing to a file proposes "<account>.pdf".
  printer.setDocName(PrintDocumentTitle(layout));
  if (!setup.Choose(printer)) return false;
  // The print queue shows the account's name, whatever the dialog left there.
  printer.setDocName(PrintDocumentTitle(layout));
  document->print(&printer);
  return true;
}

}  // namespace bv
