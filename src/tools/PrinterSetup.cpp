#include "tools/PrinterSetup.h"

#include <QApplication>
#include <QPrintDialog>

namespace bv {
namespace {

class QtPrinterSetup final : public PrinterSetup {
 public:
  bool Choose(QPrinter& printer) override {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
  }
};

}  // namespace

std::unique_ptr<PrinterSetup> MakeQtPrinterSetup() { return std::make_unique<QtPrinterSetup>(); }

}  // namespace bv
