#pragma once
// The new-category dialog (window "FAddGrupo", caption message 31). Aceptar refuses a name
// shorter than 4 characters with message 44.

#include "browser/GroupDialog.h"

namespace bv {

class TFAddGrupo : public GroupDialog {
  Q_OBJECT

 public:
  explicit TFAddGrupo(QWidget* parent = nullptr, ErrorBoxFn showError = {});
};

}  // namespace bv
