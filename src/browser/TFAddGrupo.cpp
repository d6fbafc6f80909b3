#include "browser/TFAddGrupo.h"

#include "config/MessageIds.h"

namespace bv {

TFAddGrupo::TFAddGrupo(QWidget* parent, ErrorBoxFn showError)
    : GroupDialog({.windowName = "FAddGrupo",
                   .caption = "Agregar categoría",
                   .captionMessage = msg::kNewCategoryCaption,
                   .nameLabel = "Nombre de la categoría a agregar:",
                   .newNode = true,
                   .kind = NodeKind::Category,
                   .centredOnScreen = false},
                  parent, std::move(showError)) {}

}  // namespace bv
