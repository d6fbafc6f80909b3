#include "tools/HealthTexts.h"

#include "config/Cp1252.h"
#include "config/MessageIds.h"
#include "config/QtText.h"
#include "tools/BreachList.h"

namespace bv {

QString FindingText(const HealthFinding& finding) {
  const QString text = Msg(msg::kFindingEmpty + static_cast<int>(finding.kind));
  return text.contains(QLatin1String("%1")) ? text.arg(finding.count) : text;
}

QString StrengthWord(int score) { return Msg(msg::kStrengthVeryWeak + score); }

QString HealthCountsText(const HealthReport& report) {
  QString text = Msg(msg::kHealthCounts);
  for (const std::size_t count : report.counts) text = text.arg(count);
  return text;
}

QString BreachListErrorText(const QString& path, const EBreachListError& error) {
  using Reason = EBreachListError::Reason;
  switch (error.reason()) {
    case Reason::Unreadable:
      return Msg(msg::kBreachListUnreadable)
          .arg(path, FromCp1252(SystemErrorText(error.systemError())));
    case Reason::Empty: return Msg(msg::kBreachListEmpty).arg(path);
    case Reason::Malformed:
      return Msg(msg::kBreachListMalformed).arg(path, QString::number(error.offset()));
    case Reason::Unsorted:
      return Msg(msg::kBreachListUnsorted).arg(path, QString::number(error.offset()));
  }
  return {};
}

}  // namespace bv
