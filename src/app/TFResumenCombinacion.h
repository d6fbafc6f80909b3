#pragma once
// What a merge did (window "FResumenCombinacion"), for the user to read at leisure beside the
// main window: the counts at the top, then one line per entry of the summary, by path. It
// keeps its own copy of the texts, so it outlives the merge it describes.

#include <QDialog>

#include "profile/ProfileMerge.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace bv {

class TFResumenCombinacion : public QDialog {
  Q_OBJECT

 public:
  explicit TFResumenCombinacion(const MergedProfile& merged, QWidget* parent = nullptr);

  // A new window for merged beside parent, shown without blocking it and deleted once closed.
  static TFResumenCombinacion* ShowFor(const MergedProfile& merged, QWidget* parent);

 private:
  void BuildControls();
  void Fill(const MergedProfile& merged);

  // Controls, named as in the window's section of the language files.
  QLabel* notraCuentas;  // "Added: 1  Deleted: 0 ..."
  QLabel* lblLista;
  QListWidget* Lista;
  QPushButton* BtnCerrar;
};

}  // namespace bv
