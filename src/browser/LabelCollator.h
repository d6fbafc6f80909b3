#pragma once
// The order of labels when the tree is sorted: the alphabetical comparison of the user's
// language, case-sensitive ("alfa", "Alfa", "beta").

#include <QLocale>

#include "browser/TreeSortOrder.h"

namespace bv {

// The system's locale by default. The "C" locale has no alphabet of its own (Qt compares
// it code point by code point, upper case first), so the language-neutral one stands in.
LabelLess MakeLabelLess(const QLocale& locale = QLocale());

}  // namespace bv
