#include "app/WindowEvents.h"

#include <QWidget>

#include "app/MainActions.h"
#include "config/QtText.h"

namespace bv {

using enum ActionCategory;

void WindowEvents::NoProfile() {
  window_.setWindowTitle(ProductNameText());
  actions_.EnableCategories({SiempreOn},
                            {SelCuenta, Varios, Copiar, SelGrupo, Seleccionado, PerfilOn});
}

void WindowEvents::ProfileOpening(const std::string& title) {
  window_.setWindowTitle(ProductNameText() + QStringLiteral(" - [") + FromCp1252(title) +
                         QLatin1Char(']'));
}

void WindowEvents::ProfileOpened() {
  actions_.EnableCategories({PerfilOn}, {SelCuenta, SelGrupo, Copiar, Seleccionado, Varios});
}

void WindowEvents::ProfileModified() { actions_.EnableCategories({Varios}, {}); }

void WindowEvents::ProfileSaved() { actions_.EnableCategories({}, {Varios}); }

void WindowEvents::NodeSelected(bool account, bool modified) {
  if (account)
    actions_.EnableCategories({PerfilOn, SelCuenta, Seleccionado}, {SelGrupo, Copiar});
  else
    actions_.EnableCategories({PerfilOn, SelGrupo, Seleccionado}, {SelCuenta, Copiar});
  if (modified) ProfileModified();
}

void WindowEvents::NothingSelected() {
  actions_.EnableCategories({}, {SelCuenta, SelGrupo, Seleccionado, Copiar});
}

}  // namespace bv
