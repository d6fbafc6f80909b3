#include "ui/ActionCategory.h"

namespace bv {

std::string_view CategoryName(ActionCategory category) {
  switch (category) {
    case ActionCategory::SiempreOn: return "siempreon";
    case ActionCategory::PerfilOn: return "perfilon";
    case ActionCategory::Varios: return "varios";
    case ActionCategory::SelCuenta: return "selcuenta";
    case ActionCategory::SelGrupo: return "selgrupo";
    case ActionCategory::Seleccionado: return "seleccionado";
    case ActionCategory::Copiar: return "copiar";
    case ActionCategory::MenuPpal: return "menuppal";
  }
  return {};
}

}  // namespace bv
