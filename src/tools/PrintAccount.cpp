#include "tools/PrintAccount.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QPrinter>
#include <QTextDocument>

#include "tools/PrintDocument.h"
#include "tools/PrintLayout.h"
#include "ui/Seams.h"

namespace bv {
namespace {

// The printout holds the password in clear. Printing to a file (PDF) lets the print engine
// create it with the usual 0644; made beforehand, owner-only, the engine keeps that mode when
// it truncates and writes it. An existing file is narrowed too, unless it is no regular file.
void MakeOutputFileOwnerOnly(const QPrinter& printer) {
  const QString name = printer.outputFileName();
  if (name.isEmpty()) return;
  const QByteArray path = QFile::encodeName(name);
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return;  // the print engine reports the failure in its own words
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) (void)::fchmod(fd, 0600);
  ::close(fd);
}

}  // namespace

bool PrintAccount(const TNodeData& account, PrinterSetup& setup) {
  const PrintLayout layout = ComposeAccountPrint(account);
  const std::unique_ptr<QTextDocument> document = BuildPrintDocument(layout);
  QPrinter printer(QPrinter::HighResolution);
  // Set before the dialog too, so that printing to a file proposes "<account>.pdf".
  printer.setDocName(PrintDocumentTitle(layout));
  if (!setup.Choose(printer)) return false;
  // The print queue shows the account's name, whatever the dialog left there.
  printer.setDocName(PrintDocumentTitle(layout));
  MakeOutputFileOwnerOnly(printer);
  document->print(&printer);
  return true;
}

}  // namespace bv
