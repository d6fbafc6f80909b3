#include "browser/TFEditarCuenta.h"

#include "config/Messages.h"
#include "config/QtText.h"

namespace bv {

TFEditarCuenta::TFEditarCuenta(QWidget* parent, ErrorBoxFn showError)
    : AccountDialog({.windowName = "FEditarCuenta",
                     .caption = "Editar la cuenta \"\" en \"\"",
                     .newNode = false},
                    parent, std::move(showError)) {}

void TFEditarCuenta::Fill(const TNodeData& account, std::string_view groupName) {
  SetValues(AccountValuesOf(account));
  setWindowTitle(FromCp1252(EditAccountCaption(account.Name, groupName, MessageText)));
}

}  // namespace bv
