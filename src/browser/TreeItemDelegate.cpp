#include "browser/TreeItemDelegate.h"

#include "browser/TreeModel.h"

namespace bv {
namespace {

// Whether the background the labels are drawn on is a dark one.
bool IsDark(const QPalette& palette) {
  return palette.color(QPalette::Active, QPalette::Base).lightness() < 128;
}

}  // namespace

QColor TreeItemDelegate::ColourOf(LabelColour colour, bool onDarkBackground) {
  if (onDarkBackground) {
    switch (colour) {
      case LabelColour::Green: return QColor(0x66, 0xcc, 0x66);
      case LabelColour::Blue: return QColor(0x8c, 0x8c, 0xff);
      case LabelColour::Black: return QColor(0xe0, 0xe0, 0xe0);
      default: break;  // red and white read well on any background
    }
  }
  // The plain named colours: green is the dark one (#008000).
  switch (colour) {
    case LabelColour::Red: return QColor(0xff, 0x00, 0x00);
    case LabelColour::White: return QColor(0xff, 0xff, 0xff);
    case LabelColour::Green: return QColor(0x00, 0x80, 0x00);
    case LabelColour::Blue: return QColor(0x00, 0x00, 0xff);
    case LabelColour::Black: return QColor(0x00, 0x00, 0x00);
    case LabelColour::Default: break;
  }
  return {};
}

void TreeItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  const QVariant kind = index.data(ProfileTreeModel::kNodeKindRole);
  if (!kind.isValid()) return;  // nothing to choose from: the defaults stay
  const bool selected = option->state.testFlag(QStyle::State_Selected);
  const LabelStyle style = LabelStyleOf(static_cast<NodeKind>(kind.toInt()), selected);

  option->font.setBold(style.bold);
  option->font.setItalic(false);
  // A selected label stays red on white, which reads on any palette.
  const QColor text = ColourOf(style.text, !selected && IsDark(option->palette));
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    if (selected) {
      option->palette.setColor(group, QPalette::HighlightedText, text);
      option->palette.setColor(group, QPalette::Highlight, ColourOf(style.background));
    } else {
      option->palette.setColor(group, QPalette::Text, text);
    }
  }
}

}  // namespace bv
