#include "tools/HealthTexts.h"

#include <QLocale>

#include "config/FailureText.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "files/InOutError.h"
#include "tools/BreachList.h"

namespace bv {

QString CountText(std::uint64_t count) {
  // Grouped by thousands with the language's separator. A language that leaves four digits
  // alone ("5000" in Spanish) still groups longer numbers whole ("5.000.000.000"), where Qt
  // would write "5000.000.000".
  const QLocale locale;
  const QString separator = locale.groupSeparator();
  const bool groupsFour = locale.toString(1000).contains(separator);
  QString text = QString::number(static_cast<qulonglong>(count));
  if (separator.isEmpty() || (!groupsFour && text.size() <= 4) ||
      locale.numberOptions().testFlag(QLocale::OmitGroupSeparator))
    return text;
  for (qsizetype at = text.size() - 3; at > 0; at -= 3) text.insert(at, separator);
  return text;
}

QString FindingText(const HealthFinding& finding) {
  const QString text = Msg(msg::kFindingEmpty + static_cast<int>(finding.kind));
  return text.contains(QLatin1String("%1")) ? text.arg(CountText(finding.count)) : text;
}

QString StrengthWord(int score) { return Msg(msg::kStrengthTrivial + score); }

QString HealthCountsText(const HealthReport& report, bool breachListRead) {
  QString text = Msg(msg::kHealthCounts);
  for (std::size_t kind = 0; kind < report.counts.size(); ++kind)
    text = text.arg(!breachListRead && kind == static_cast<std::size_t>(HealthKind::Breached)
                        ? Msg(msg::kHealthNotChecked)
                        : CountText(report.counts[kind]));
  return text;
}

QString BreachListErrorText(const QString& path, const EBreachListError& error) {
  using Reason = EBreachListError::Reason;
  switch (error.reason()) {
    case Reason::Unreadable:
      return Msg(msg::kBreachListUnreadable)
          .arg(path, InOutErrorMessage(EInOutError::FromErrno(error.systemError())));
    case Reason::NotRegular: return Msg(msg::kBreachListNotRegular).arg(path);
    case Reason::Empty: return Msg(msg::kBreachListEmpty).arg(path);
    case Reason::Malformed:
      return Msg(msg::kBreachListMalformed).arg(path, CountText(error.offset()));
    case Reason::Unsorted:
      return Msg(msg::kBreachListUnsorted).arg(path, CountText(error.offset()));
  }
  return {};
}

}  // namespace bv
