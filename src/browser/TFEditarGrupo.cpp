#include "browser/TFEditarGrupo.h"

namespace bv {

TFEditarGrupo::TFEditarGrupo(QWidget* parent)
    : TGroupDialog({.windowName = "FEditarGrupo",
                    .caption = "Editar grupo/subgrupo",
                    .captionMessage = 28,
                    .nameLabel = "Nombre del grupo a editar:",
                    .newNode = false,
                    .kind = NodeKind::Group,
                    .centredOnScreen = true},
                   parent, {}) {}

}  // namespace bv
