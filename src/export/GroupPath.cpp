#include "export/GroupPath.h"

namespace bv {
namespace {

NodeKind KindAt(std::size_t position) {
  return position == 0 ? NodeKind::Category : NodeKind::Group;
}

char MarkOf(NodeKind kind) {
  switch (kind) {
    case NodeKind::Account: return 'a';
    case NodeKind::Group: return 'g';
    case NodeKind::Category: return 'c';
  }
  return 'g';
}

bool KindOfMark(char mark, NodeKind& kind) {
  switch (mark) {
    case 'a': kind = NodeKind::Account; return true;
    case 'g': kind = NodeKind::Group; return true;
    case 'c': kind = NodeKind::Category; return true;
    default: return false;
  }
}

}  // namespace

void AppendPathStep(std::string& path, std::string_view name, NodeKind kind, int depth) {
  if (depth > 0) path += '/';
  for (const char c : name) {
    if (c == '\\' || c == '/') path += '\\';
    path += c;
  }
  if (name.empty() || kind != KindAt(static_cast<std::size_t>(depth))) {
    path += '\\';
    path += MarkOf(kind);
  }
}

GroupPath ParseGroupPath(std::string_view text) {
  GroupPath path;
  if (text.empty()) return path;
  if (text == kTopPath) {
    path.top = true;
    return path;
  }
  PathStep step{{}, KindAt(0), false};
  bool marked = false;
  const auto finish = [&] {
    if (!marked) step.kind = KindAt(path.steps.size());
    step.marked = marked;
    path.steps.push_back(std::move(step));
    step = {{}, KindAt(0), false};
    marked = false;
  };
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '/') {
      finish();
      continue;
    }
    if (c == '\\' && k + 1 < text.size()) {
      const char next = text[k + 1];
      const bool ends = k + 2 == text.size() || text[k + 2] == '/';
      if (next == '\\' || next == '/') {
        step.name += next;
        ++k;
        continue;
      }
      if (ends && KindOfMark(next, step.kind)) {
        marked = true;
        ++k;
        continue;
      }
    }
    step.name += c;  // any other backslash is a letter of the name
  }
  if (text.back() == '/' && !marked && step.name.empty()) {
    path.ownRow = true;
  } else {
    finish();
  }
  return path;
}

void DropFirstStep(GroupPath& path) {
  if (path.steps.empty()) return;
  path.steps.erase(path.steps.begin());
  for (std::size_t k = 0; k < path.steps.size(); ++k)
    if (!path.steps[k].marked) path.steps[k].kind = KindAt(k);
}

}  // namespace bv
