#include "browser/TreeLabelStyle.h"

namespace bv {

LabelStyle LabelStyleOf(NodeKind kind, bool selected) {
  const bool bold = kind != NodeKind::Account;
  if (selected) return {LabelColour::Red, LabelColour::White, bold};
  switch (kind) {
    case NodeKind::Account: return {LabelColour::Green, LabelColour::Default, bold};
    case NodeKind::Category: return {LabelColour::Blue, LabelColour::Default, bold};
    case NodeKind::Group: break;
  }
  return {LabelColour::Black, LabelColour::Default, bold};
}

}  // namespace bv
