#pragma once
// The words the health report and the options dialog show for findings, scores and refused
// breach lists, from the messages of the active language.

#include <QString>
#include <cstdint>

#include "tools/PasswordHealth.h"

namespace bv {

class EBreachListError;

// "Repetida en 3 cuentas", "Filtrada (vista 12 veces)", "Débil"...
[[nodiscard]] QString FindingText(const HealthFinding& finding);
// The strength bar's word for a score of 0 to 4.
[[nodiscard]] QString StrengthWord(int score);
// The counts of each kind of finding, on one line; without a breach list its count reads
// "not checked", since 0 would read as "none breached".
[[nodiscard]] QString HealthCountsText(const HealthReport& report, bool breachListRead);
// A count as the program's language writes it ("5.000.000.000" in Spanish).
[[nodiscard]] QString CountText(std::uint64_t count);
// Why the list at path was refused.
[[nodiscard]] QString BreachListErrorText(const QString& path, const EBreachListError& error);

}  // namespace bv
