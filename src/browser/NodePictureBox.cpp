#include "browser/NodePictureBox.h"

#include <QIcon>

#include "browser/NodeEditing.h"
#include "config/QtText.h"
#include "ui/Pictures.h"

namespace bv {

NodePictureBox::NodePictureBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setMaxVisibleItems(8);
  setIconSize(QSize(16, 16));
  int picture = 0;
  for (const char* name : NodePictureNames()) {
    addItem(NodePicture(picture++), FromCp1252(name));
  }
}

void NodePictureBox::SetPicture(int picture) {
  setCurrentIndex(picture >= 0 && picture < count() ? picture : -1);
}

}  // namespace bv
