#include "profile/HeaderMerge.h"

namespace bv {
namespace {

// One text of the header by the field rule; reports which side's change it took.
struct TextMerge {
  bool oursChanged = false;
  bool theirsTaken = false;
  bool conflict = false;
};
TextMerge MergeText(const std::string* base, const std::string& ours, const std::string& theirs,
                    std::string& merged) {
  TextMerge result;
  merged = ours;
  if (ours == theirs) return result;
  if (!base) {
    result.conflict = true;
  } else if (*base == ours) {
    merged = theirs;
    result.theirsTaken = true;
  } else {
    result.oursChanged = true;
    result.conflict = *base != theirs;
  }
  return result;
}

}  // namespace

void MergeHeader(const TProfileHeader* base, const TProfileHeader& ours,
                 const TProfileHeader& theirs, TProfileHeader& merged,
                 std::vector<MergeEvent>& events) {
  merged = ours;
  const TextMerge owner =
      MergeText(base ? &base->Owner : nullptr, ours.Owner, theirs.Owner, merged.Owner);
  const TextMerge title =
      MergeText(base ? &base->Title : nullptr, ours.Title, theirs.Title, merged.Title);
  auto add = [&](MergeChange change, MergeSide side, const std::string& owner,
                 const std::string& title) {
    MergeEvent& event = events.emplace_back();
    event.change = change;
    event.side = side;
    event.value = owner;
    event.otherValue = title;
  };
  if (owner.oursChanged || title.oursChanged)
    add(MergeChange::HeaderChanged, MergeSide::Ours, ours.Owner, ours.Title);
  if (owner.theirsTaken || title.theirsTaken)
    add(MergeChange::HeaderChanged, MergeSide::Theirs, merged.Owner, merged.Title);
  if (owner.conflict || title.conflict)
    add(MergeChange::HeaderConflict, MergeSide::Theirs, theirs.Owner, theirs.Title);
}

}  // namespace bv
