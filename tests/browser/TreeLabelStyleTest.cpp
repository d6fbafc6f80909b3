#include <gtest/gtest.h>

#include "browser/TreeLabelStyle.h"

namespace bv {
namespace {

TEST(LabelStyleOf, ColoursAndWeightByKindAndSelection) {
  struct Case {
    NodeKind kind;
    bool selected;
    LabelColour text, background;
    bool bold;
  } cases[] = {
      {NodeKind::Account, false, LabelColour::Green, LabelColour::Default, false},
      {NodeKind::Category, false, LabelColour::Blue, LabelColour::Default, true},
      {NodeKind::Group, false, LabelColour::Black, LabelColour::Default, true},
      {NodeKind::Account, true, LabelColour::Red, LabelColour::White, false},
      {NodeKind::Category, true, LabelColour::Red, LabelColour::White, true},
      {NodeKind::Group, true, LabelColour::Red, LabelColour::White, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind) * 10 + c.selected);
    const LabelStyle style = LabelStyleOf(c.kind, c.selected);
    EXPECT_EQ(style.text, c.text);
    EXPECT_EQ(style.background, c.background);
    EXPECT_EQ(style.bold, c.bold);
  }
}

}  // namespace
}  // namespace bv
