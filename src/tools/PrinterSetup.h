#pragma once
// The printer setup dialog (PSD): the user chooses a printer, or a file, and its settings.
// The program shows Qt's print dialog; tests install a stand-in that prints to a PDF file
// or cancels.

#include <memory>

class QPrinter;
class QWidget;

namespace bv {

class PrinterSetup {
 public:
  virtual ~PrinterSetup() = default;
  // Sets up printer as the user chooses; false when the user cancels.
  virtual bool Choose(QPrinter& printer) = 0;
};

// Qt's print dialog, over whichever window is active.
std::unique_ptr<PrinterSetup> MakeQtPrinterSetup();

}  // namespace bv
