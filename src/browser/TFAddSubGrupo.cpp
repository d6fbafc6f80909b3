#include "browser/TFAddSubGrupo.h"

#include "config/MessageIds.h"

namespace bv {

TFAddSubGrupo::TFAddSubGrupo(QWidget* parent, ErrorBoxFn showError)
    : GroupDialog({.windowName = "FAddSubGrupo",
                   .caption = "Agregar subgrupo",
                   .captionMessage = msg::kNewGroupCaption,
                   .nameLabel = "Nombre del grupo a agregar:",
                   .newNode = true,
                   .kind = NodeKind::Group,
                   .centredOnScreen = false},
                  parent, std::move(showError)) {}

}  // namespace bv
