#pragma once
// The dialog that edits an account (window "FEditarCuenta"), with the same boxes and checks
// as the new-account dialog.

#include <string_view>

#include "browser/AccountDialog.h"

namespace bv {

class TFEditarCuenta : public AccountDialog {
  Q_OBJECT

 public:
  explicit TFEditarCuenta(QWidget* parent = nullptr, ErrorBoxFn showError = {});

  // Every box from the account, password and answer in clear; the caption names the
  // account and the category or group that holds it.
  void Fill(const TNodeData& account, std::string_view groupName);
};

}  // namespace bv
