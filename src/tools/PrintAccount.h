#pragma once
// Printing one account (ActImprimir): the printout is composed, the printer setup dialog
// is shown, and the confirmed printer receives one document titled with the account's name.

#include "profile/NodeData.h"

namespace bv {

class PrinterSetup;

// False when the user cancelled the printer dialog: nothing was printed. Problems of the
// printer itself are the printing service's to report.
[[nodiscard]] bool PrintAccount(const TNodeData& account, PrinterSetup& setup);

}  // namespace bv
