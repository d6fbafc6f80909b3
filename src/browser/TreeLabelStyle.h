#pragma once
// How a label of the account tree is drawn: its colours and weight by kind and selection.
// The tree's own font, in regular weight, is the starting point for every node.

#include "profile/NodeData.h"

namespace bv {

enum class LabelColour {
  Default,
  Red,
  White,
  Green,
  Blue,
  Black
};

struct LabelStyle {
  LabelColour text;
  LabelColour background;  // Default: the tree's own
  bool bold;
};

LabelStyle LabelStyleOf(NodeKind kind, bool selected);

}  // namespace bv
