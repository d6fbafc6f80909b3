#include "TreeFixture.h"

namespace bv::test {
namespace {

void AppendShape(const ProfileTree::Children& children, std::string& out) {
  bool first = true;
  for (const auto& child : children) {
    if (!first) out += ' ';
    first = false;
    out += child->data.Name;
    if (!child->children.empty()) {
      out += '(';
      AppendShape(child->children, out);
      out += ')';
    }
  }
}

}  // namespace

TNodeData Node(const std::string& name, NodeKind kind) {
  TNodeData data = TNodeData::Create(kind, 23);
  data.Name = name;
  return data;
}

std::string Shape(const ProfileTree& tree) {
  std::string out;
  AppendShape(tree.ChildrenOf(nullptr), out);
  return out;
}

SampleProfile::SampleProfile() {
  auto add = [&](const char* parent, const char* name, NodeKind kind) {
    nodes[name] = tree.Append(parent ? nodes.at(parent) : nullptr, Node(name, kind));
  };
  add(nullptr, "C1", NodeKind::Category);
  add("C1", "G1", NodeKind::Group);
  add("G1", "A1", NodeKind::Account);
  add("G1", "G2", NodeKind::Group);
  add("G2", "A2", NodeKind::Account);
  add("C1", "A3", NodeKind::Account);
  add("C1", "G4", NodeKind::Group);
  add(nullptr, "C2", NodeKind::Category);
  add("C2", "G3", NodeKind::Group);
  add("G3", "A4", NodeKind::Account);
}

}  // namespace bv::test
