#pragma once
// The new-group dialog (window "FAddSubGrupo", caption message 27). Aceptar refuses a name
// shorter than 4 characters with message 45.

#include "browser/GroupDialog.h"

namespace bv {

class TFAddSubGrupo : public GroupDialog {
  Q_OBJECT

 public:
  explicit TFAddSubGrupo(QWidget* parent = nullptr, ErrorBoxFn showError = {});
};

}  // namespace bv
