#pragma once
// Qt's print dialog as the program's printer setup (the seam is in ui/Seams.h).

#include <memory>

#include "ui/Seams.h"

namespace bv {

// Qt's print dialog, over whichever window is active.
std::unique_ptr<PrinterSetup> MakeQtPrinterSetup();

}  // namespace bv
