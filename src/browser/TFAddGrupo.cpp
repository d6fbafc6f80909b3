#include "browser/TFAddGrupo.h"

namespace bv {

TFAddGrupo::TFAddGrupo(QWidget* parent, ErrorBoxFn showError)
    : TGroupDialog({.windowName = "FAddGrupo",
                    .caption = "Agregar categoría",
                    .captionMessage = 31,
                    .nameLabel = "Nombre de la categoría a agregar:",
                    .newNode = true,
                    .kind = NodeKind::Category,
                    .centredOnScreen = false},
                   parent, std::move(showError)) {}

}  // namespace bv
