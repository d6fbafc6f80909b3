#include "profile/MergeReport.h"

#include <array>
#include <initializer_list>

#include "config/MessageIds.h"
#include "config/Messages.h"

namespace bv {
namespace {

// The label of each merged field: the detail view's labels, without their colon.
constexpr std::array<int, kMergedFieldCount> kFieldLabels = {
    msg::kMergeNameField,   msg::kUserNameLabel, msg::kPasswordLabel,     msg::kQuestionLabel,
    msg::kAnswerLabel,      msg::kMailLabel,     msg::kUrlLabel,          msg::kAccountTypeLabel,
    msg::kDescriptionLabel, msg::kNotesLabel,    msg::kMergePictureField,
};

std::string FieldList(FieldSet fields, const MessageLookup& text) {
  std::string list;
  for (int field = 0; field < kMergedFieldCount; ++field) {
    if (!(fields & FieldBit(field))) continue;
    std::string label = text(kFieldLabels[static_cast<std::size_t>(field)]);
    while (!label.empty() && (label.back() == ':' || label.back() == ' ')) label.pop_back();
    if (!list.empty()) list += ", ";
    list += label;
  }
  return list;
}

std::string Line(const MergeEvent& event, const MergedProfile& merged, const MessageLookup& text) {
  const std::string side =
      text(event.side == MergeSide::Ours ? msg::kMergeThisVersion : msg::kMergeOtherVersion);
  const std::string path = ShownPath(event.path);
  switch (event.change) {
    case MergeChange::Added: return FillIn(text(msg::kMergeAdded), {side, path});
    case MergeChange::Deleted: return FillIn(text(msg::kMergeDeleted), {side, path});
    case MergeChange::Changed:
      return FillIn(text(msg::kMergeChanged), {side, path, FieldList(event.fields, text)});
    case MergeChange::Renamed: return FillIn(text(msg::kMergeRenamed), {side, path, event.value});
    case MergeChange::Conflict:
      return FillIn(text(merged.summary.withoutBase ? msg::kMergeDiffers : msg::kMergeConflict),
                    {path, FieldList(event.fields, text), event.value});
    case MergeChange::KeptDeleted:
      return event.fields
                 ? FillIn(text(msg::kMergeKeptChanged), {side, path, FieldList(event.fields, text)})
                 : FillIn(text(msg::kMergeKeptHolding), {side, path});
    case MergeChange::HeaderChanged:
      return FillIn(text(msg::kMergeHeaderChanged), {side, event.value, event.otherValue});
    case MergeChange::HeaderConflict:
      return FillIn(text(msg::kMergeHeaderConflict),
                    {merged.header.Owner, merged.header.Title, event.value, event.otherValue});
  }
  return {};
}

}  // namespace

std::string ShownPath(const std::vector<std::string>& path) {
  std::string shown;
  for (const std::string& name : path) {
    if (!shown.empty()) shown += '/';
    shown += name;
  }
  return shown;
}

std::vector<std::string> DescribeMerge(const MergedProfile& merged, const MessageLookup& text) {
  std::vector<std::string> lines;
  for (const MergeEvent& event : merged.summary.events) lines.push_back(Line(event, merged, text));
  if (lines.empty()) lines.push_back(text(msg::kMergeNothing));
  return lines;
}

}  // namespace bv
