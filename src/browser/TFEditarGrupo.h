#pragma once
// The dialog that edits a category or group (window "FEditarGrupo", caption message 28),
// centred on the screen. Any name is accepted, even an empty one.

#include "browser/GroupDialog.h"

namespace bv {

class TFEditarGrupo : public GroupDialog {
  Q_OBJECT

 public:
  explicit TFEditarGrupo(QWidget* parent = nullptr);
};

}  // namespace bv
