#include "browser/LabelCollator.h"

#include <QCollator>
#include <memory>
#include <string>
#include <unordered_map>

#include "config/QtText.h"

namespace bv {

LabelLess MakeLabelLess(const QLocale& locale) {
  const QLocale collating =
      locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
  auto collator = std::make_shared<QCollator>(collating);
  collator->setCaseSensitivity(Qt::CaseSensitive);
  collator->setNumericMode(false);
  collator->setIgnorePunctuation(false);
  // One sort key per label, so that a sort converts each label once, not at each comparison.
  auto keys = std::make_shared<std::unordered_map<std::string, QCollatorSortKey>>();
  auto keyOf = [collator, keys](const std::string& label) -> const QCollatorSortKey& {
    auto found = keys->find(label);
    if (found == keys->end())
      found = keys->emplace(label, collator->sortKey(FromCp1252(label))).first;
    return found->second;
  };
  return [keyOf](const std::string& a, const std::string& b) {
    return keyOf(a).compare(keyOf(b)) < 0;
  };
}

}  // namespace bv
