#pragma once
// The picture chooser of the editing dialogs: a drop-down list of the 26 node pictures,
// each shown with its name, no typing, eight items visible when open. A class of its own,
// so that translating a window leaves its (untranslated) names alone.

#include <QComboBox>

namespace bv {

class NodePictureBox : public QComboBox {
  Q_OBJECT

 public:
  explicit NodePictureBox(QWidget* parent = nullptr);

  // The chosen picture's number, -1 for none.
  int Picture() const { return currentIndex(); }
  // A number outside the list chooses none.
  void SetPicture(int picture);
};

}  // namespace bv
