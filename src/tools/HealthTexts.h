#pragma once
// The words the health report and the options dialog show for findings, scores and refused
// breach lists, from the messages of the active language.

#include <QString>

#include "tools/PasswordHealth.h"

namespace bv {

class EBreachListError;

// "Repetida en 3 cuentas", "Filtrada (vista 12 veces)", "Débil"...
[[nodiscard]] QString FindingText(const HealthFinding& finding);
// The strength bar's word for a score of 0 to 4.
[[nodiscard]] QString StrengthWord(int score);
// The counts of each kind of finding, on one line.
[[nodiscard]] QString HealthCountsText(const HealthReport& report);
// Why the list at path was refused.
[[nodiscard]] QString BreachListErrorText(const QString& path, const EBreachListError& error);

}  // namespace bv
