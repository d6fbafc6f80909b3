#include "browser/TFEditarGrupo.h"

#include "config/MessageIds.h"

namespace bv {

TFEditarGrupo::TFEditarGrupo(QWidget* parent)
    : GroupDialog({.windowName = "FEditarGrupo",
                   .caption = "Editar grupo/subgrupo",
                   .captionMessage = msg::kEditGroupCaption,
                   .nameLabel = "Nombre del grupo a editar:",
                   .newNode = false,
                   .kind = NodeKind::Group,
                   .centredOnScreen = true},
                  parent, {}) {}

}  // namespace bv
