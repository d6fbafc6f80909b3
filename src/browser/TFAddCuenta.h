#pragma once
// The new-account dialog (window "FAddCuenta"). Aceptar refuses a name shorter than
// 4 characters (message 42) and a missing picture (message 43).

#include <string_view>

#include "browser/AccountDialog.h"

namespace bv {

class TFAddCuenta : public AccountDialog {
  Q_OBJECT

 public:
  explicit TFAddCuenta(QWidget* parent = nullptr, ErrorBoxFn showError = {});

  // The caption names the category or group that receives the account.
  void SetReceivingGroup(std::string_view groupName);
};

}  // namespace bv
