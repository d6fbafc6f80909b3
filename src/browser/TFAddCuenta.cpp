#include "browser/TFAddCuenta.h"

#include "config/Messages.h"
#include "config/QtText.h"

namespace bv {

TFAddCuenta::TFAddCuenta(QWidget* parent, ErrorBoxFn showError)
    : AccountDialog({.windowName = "FAddCuenta", .caption = "Agregar cuenta a", .newNode = true},
                    parent, std::move(showError)) {}

void TFAddCuenta::SetReceivingGroup(std::string_view groupName) {
  setWindowTitle(FromCp1252(NewAccountCaption(groupName, MessageText)));
}

}  // namespace bv
