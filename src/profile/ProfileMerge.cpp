#include "profile/ProfileMerge.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "profile/ConflictName.h"
#include "profile/HeaderMerge.h"
#include "profile/SiblingMatch.h"
#include "profile/SiblingOrder.h"

namespace bv {
namespace {

constexpr std::uint32_t kNoEntry = UINT32_MAX;

// One node of the result to be: the node it is on each side that has it. Entry 0 stands for
// the top level. The children of an entry are consecutive, after every entry of its level.
struct Entry {
  const TreeNode* base = nullptr;
  const TreeNode* ours = nullptr;
  const TreeNode* theirs = nullptr;
  std::uint32_t parent = kNoEntry;
  std::uint32_t firstChild = 0;
  std::uint32_t childCount = 0;
  bool keep = true;
  bool holdsKept = false;  // a child is kept
  TreeNode* made = nullptr;
};

using Side = const TreeNode* Entry::*;

std::size_t SubtreeSize(const TreeNode* node) {
  std::size_t size = 0;
  std::vector<const TreeNode*> pending{node};
  while (!pending.empty()) {
    const TreeNode* n = pending.back();
    pending.pop_back();
    ++size;
    for (const auto& child : n->children) pending.push_back(child.get());
  }
  return size;
}

std::vector<std::string> PathOf(const TreeNode* node) {
  std::vector<std::string> path;
  for (; node; node = node->parent) path.push_back(node->data.Name);
  std::reverse(path.begin(), path.end());
  return path;
}

class TreeMerger {
 public:
  TreeMerger(const ProfileTree* base, const ProfileTree& ours, const ProfileTree& theirs,
             std::string_view conflictNamePattern, ProfileTree& out,
             std::vector<MergeEvent>& events)
      : base_(base),
        ours_(ours),
        theirs_(theirs),
        pattern_(conflictNamePattern),
        out_(out),
        events_(events),
        firstNodeEvent_(events.size()) {}

  void Run() {
    entries_.reserve(ours_.Count() + theirs_.Count() / 16 + 1);
    entries_.emplace_back();
    for (std::uint32_t k = 0; k < entries_.size(); ++k) Expand(k);
    DecideWhatStays();
    for (std::uint32_t k = 0; k < entries_.size(); ++k)
      if (entries_[k].keep && entries_[k].childCount > 0) PlaceChildren(k);
    SortEvents();
  }

 private:
  // The children of entry k on one side; null when that side lacks the node.
  const ProfileTree::Children* ChildrenOn(std::uint32_t k, Side side,
                                          const ProfileTree* tree) const {
    if (k == 0) return tree ? &tree->ChildrenOf(nullptr) : nullptr;
    const TreeNode* node = entries_[k].*side;
    return node ? &node->children : nullptr;
  }

  static SiblingList ListOf(const ProfileTree::Children* children) {
    SiblingList list;
    if (!children) return list;
    list.reserve(children->size());
    for (const auto& child : *children) list.push_back(child.get());
    return list;
  }

  void Expand(std::uint32_t k) {
    const SiblingList base = ListOf(ChildrenOn(k, &Entry::base, base_));
    const SiblingList ours = ListOf(ChildrenOn(k, &Entry::ours, &ours_));
    const SiblingList theirs = ListOf(ChildrenOn(k, &Entry::theirs, &theirs_));
    if (base.empty() && ours.empty() && theirs.empty()) return;

    const std::vector<std::size_t> oursOfBase = PairWithBase(base, ours);
    const std::vector<std::size_t> theirsOfBase = PairWithBase(base, theirs);
    std::vector<bool> oursPaired(ours.size()), theirsPaired(theirs.size());
    for (std::size_t b = 0; b < base.size(); ++b) {
      if (oursOfBase[b] != kNoRow) oursPaired[oursOfBase[b]] = true;
      if (theirsOfBase[b] != kNoRow) theirsPaired[theirsOfBase[b]] = true;
    }

    entries_[k].firstChild = static_cast<std::uint32_t>(entries_.size());
    auto add = [&](const TreeNode* b, const TreeNode* o, const TreeNode* t) {
      Entry entry;
      entry.base = b;
      entry.ours = o;
      entry.theirs = t;
      entry.parent = k;
      entries_.push_back(entry);
    };
    for (std::size_t b = 0; b < base.size(); ++b) {
      const TreeNode* o = oursOfBase[b] == kNoRow ? nullptr : ours[oursOfBase[b]];
      const TreeNode* t = theirsOfBase[b] == kNoRow ? nullptr : theirs[theirsOfBase[b]];
      if (o || t) add(base[b], o, t);  // deleted on both sides: gone
    }
    // What both sides added alike is one node.
    SiblingList oursAdded, theirsAdded;
    for (std::size_t o = 0; o < ours.size(); ++o)
      if (!oursPaired[o]) oursAdded.push_back(ours[o]);
    for (std::size_t t = 0; t < theirs.size(); ++t)
      if (!theirsPaired[t]) theirsAdded.push_back(theirs[t]);
    std::vector<bool> theirsAddedPaired(theirsAdded.size());
    std::vector<const TreeNode*> theirsOfAdded(oursAdded.size(), nullptr);
    for (const SiblingPair& p : PairNamesakes(oursAdded, theirsAdded)) {
      theirsOfAdded[p.left] = theirsAdded[p.right];
      theirsAddedPaired[p.right] = true;
    }
    for (std::size_t o = 0; o < oursAdded.size(); ++o) add(nullptr, oursAdded[o], theirsOfAdded[o]);
    for (std::size_t t = 0; t < theirsAdded.size(); ++t)
      if (!theirsAddedPaired[t]) add(nullptr, nullptr, theirsAdded[t]);
    entries_[k].childCount = static_cast<std::uint32_t>(entries_.size()) - entries_[k].firstChild;
  }

  // Bottom up: a node one side deleted stays if the other side changed it or if it holds a
  // node that stays.
  void DecideWhatStays() {
    for (std::uint32_t k = static_cast<std::uint32_t>(entries_.size()); k-- > 1;) {
      Entry& e = entries_[k];
      if (e.base && !(e.ours && e.theirs)) {
        const TreeNode* kept = e.ours ? e.ours : e.theirs;
        e.keep = e.holdsKept || !(kept->data == e.base->data);
      }
      if (e.keep) entries_[e.parent].holdsKept = true;
    }
  }

  // Theirs leads where it reordered siblings that ours left in the base's order.
  bool TheirsLeads(std::uint32_t k) const {
    const Entry& parent = entries_[k];
    if (k != 0 && !parent.ours) return true;
    if (k != 0 && !parent.theirs) return false;
    // The children the base has come first, in the base's order: a side kept that order
    // where its rows of them rise.
    bool oursInOrder = true, theirsInOrder = true;
    std::size_t oursRow = 0, theirsRow = 0;
    bool first = true;
    for (std::uint32_t c = parent.firstChild; c < parent.firstChild + parent.childCount; ++c) {
      const Entry& e = entries_[c];
      if (!e.base) break;
      if (!e.ours || !e.theirs) continue;
      oursInOrder = oursInOrder && (first || e.ours->row > oursRow);
      theirsInOrder = theirsInOrder && (first || e.theirs->row > theirsRow);
      oursRow = e.ours->row;
      theirsRow = e.theirs->row;
      first = false;
    }
    return oursInOrder && !theirsInOrder;
  }

  void PlaceChildren(std::uint32_t k) {
    const Entry& parent = entries_[k];
    TreeNode* parentNode = parent.made;
    const bool theirsLead = TheirsLeads(k);
    const Side lead = theirsLead ? &Entry::theirs : &Entry::ours;
    const Side follower = theirsLead ? &Entry::ours : &Entry::theirs;
    const ProfileTree::Children* followerSiblings =
        theirsLead ? ChildrenOn(k, &Entry::ours, &ours_) : ChildrenOn(k, &Entry::theirs, &theirs_);

    std::vector<std::uint32_t> kept;
    std::vector<ChildRows> rows;
    for (std::uint32_t c = parent.firstChild; c < parent.firstChild + parent.childCount; ++c) {
      const Entry& e = entries_[c];
      if (!e.keep) {
        ReportDeleted(e, parentNode);
        continue;
      }
      kept.push_back(c);
      rows.push_back(
          {e.*lead ? (e.*lead)->row : kNoRow, e.*follower ? (e.*follower)->row : kNoRow});
    }
    for (std::size_t at : MergedSiblingOrder(rows, followerSiblings ? followerSiblings->size() : 0))
      Make(kept[at], parentNode);
  }

  void Make(std::uint32_t c, TreeNode* parentNode) {
    Entry& e = entries_[c];
    e.made = out_.Append(parentNode, TNodeData{});
    if (e.ours && e.theirs) {
      MergeFields(e, parentNode);
      return;
    }
    const TreeNode* only = e.ours ? e.ours : e.theirs;
    const MergeSide side = e.ours ? MergeSide::Ours : MergeSide::Theirs;
    e.made->data = only->data;
    if (e.base) {  // the other side deleted it
      Report(MergeChange::KeptDeleted, Other(side), e.made, PathOf(e.made)).fields =
          DifferingFields(e.base->data, only->data);
      return;
    }
    const Entry& parent = entries_[e.parent];
    const bool parentAddedHereAlone = e.parent != 0 && !parent.base && !(parent.*OtherSide(side));
    if (!parentAddedHereAlone)
      Report(MergeChange::Added, side, e.made, PathOf(e.made)).nodes = SubtreeSize(only);
  }

  void MergeFields(Entry& e, TreeNode* parentNode) {
    const TNodeData& ours = e.ours->data;
    const TNodeData& theirs = e.theirs->data;
    TNodeData& merged = e.made->data;
    merged = ours;
    const FieldSet differing = DifferingFields(ours, theirs);
    FieldSet conflict = differing;
    if (e.base) {
      const FieldSet oursChanged = DifferingFields(e.base->data, ours);
      const FieldSet theirsChanged = DifferingFields(e.base->data, theirs);
      const FieldSet takeTheirs = theirsChanged & ~oursChanged;
      for (int field = 0; field < kMergedFieldCount; ++field)
        if (takeTheirs & FieldBit(field)) CopyFieldValue(merged, theirs, field);
      conflict = oursChanged & theirsChanged & differing;
      ReportChanges(e, MergeSide::Ours, oursChanged & ~theirsChanged);
      ReportChanges(e, MergeSide::Theirs, takeTheirs);
    }
    if (conflict == 0) return;
    TreeNode* copy = out_.Append(parentNode, TNodeData{});
    copy->data = theirs;
    copy->data.Name = ConflictCopyName(theirs.Name, pattern_);
    MergeEvent& event = Report(MergeChange::Conflict, MergeSide::Theirs, copy, PathOf(e.made));
    event.fields = conflict;
    event.value = copy->data.Name;
    at_.back() = e.made;  // listed with the node it concerns, before what lies below it
  }

  void ReportChanges(const Entry& e, MergeSide side, FieldSet fields) {
    if (fields & FieldBit(kNameField)) {
      std::vector<std::string> oldPath = PathOf(e.made->parent);
      oldPath.push_back(e.base->data.Name);
      Report(MergeChange::Renamed, side, e.made, std::move(oldPath)).value =
          (side == MergeSide::Ours ? e.ours : e.theirs)->data.Name;
    }
    fields &= static_cast<FieldSet>(~FieldBit(kNameField));
    if (fields != 0) Report(MergeChange::Changed, side, e.made, PathOf(e.made)).fields = fields;
  }

  void ReportDeleted(const Entry& e, const TreeNode* parentNode) {
    const TreeNode* gone = e.ours ? e.ours : e.theirs;
    std::vector<std::string> path = PathOf(parentNode);
    path.push_back(e.base->data.Name);
    MergeEvent& event = Report(MergeChange::Deleted, e.ours ? MergeSide::Theirs : MergeSide::Ours,
                               nullptr, std::move(path));
    event.kind = gone->data.Kind();
    event.nodes = SubtreeSize(gone);
    at_.back() = parentNode;
  }

  MergeEvent& Report(MergeChange change, MergeSide side, const TreeNode* node,
                     std::vector<std::string> path) {
    MergeEvent& event = events_.emplace_back();
    event.change = change;
    event.side = side;
    event.node = node;
    if (node) event.kind = node->data.Kind();
    event.path = std::move(path);
    at_.push_back(node);
    return event;
  }

  // Puts the events in the order of the merged tree; a deletion right after its parent.
  void SortEvents() {
    std::unordered_map<const TreeNode*, std::size_t> place;
    for (std::size_t k = 0; k < at_.size(); ++k)
      if (at_[k]) place.emplace(at_[k], 0);
    std::size_t index = 0;
    out_.ForEachPreOrder([&](TreeNode& node, int) {
      ++index;
      if (auto found = place.find(&node); found != place.end()) found->second = index;
    });
    std::vector<std::pair<std::size_t, std::size_t>> order;  // (place, event)
    for (std::size_t k = 0; k < at_.size(); ++k) order.emplace_back(at_[k] ? place[at_[k]] : 0, k);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<MergeEvent> sorted(events_.begin(), events_.begin() + firstNodeEvent_);
    for (const auto& [unused, k] : order) sorted.push_back(std::move(events_[firstNodeEvent_ + k]));
    events_ = std::move(sorted);
  }

  static MergeSide Other(MergeSide side) {
    return side == MergeSide::Ours ? MergeSide::Theirs : MergeSide::Ours;
  }
  static Side OtherSide(MergeSide side) {
    return side == MergeSide::Ours ? &Entry::theirs : &Entry::ours;
  }

 private:
  const ProfileTree* base_;
  const ProfileTree& ours_;
  const ProfileTree& theirs_;
  std::string_view pattern_;
  ProfileTree& out_;
  std::vector<MergeEvent>& events_;
  const std::size_t firstNodeEvent_;  // the header's come before
  std::vector<Entry> entries_;
  std::vector<const TreeNode*> at_;  // per event of a node: where it sits in the merged tree
};

}  // namespace

MergedProfile MergeProfiles(const ProfileVersion* base, const ProfileVersion& ours,
                            const ProfileVersion& theirs, std::string_view conflictNamePattern) {
  MergedProfile merged;
  merged.summary.withoutBase = base == nullptr;
  std::vector<MergeEvent>& events = merged.summary.events;
  MergeHeader(base ? &base->header : nullptr, ours.header, theirs.header, merged.header, events);
  TreeMerger(base ? &base->tree : nullptr, ours.tree, theirs.tree, conflictNamePattern, merged.tree,
             events)
      .Run();
  return merged;
}

}  // namespace bv
