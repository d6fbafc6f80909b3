#include "browser/TFAddSubGrupo.h"

namespace bv {

TFAddSubGrupo::TFAddSubGrupo(QWidget* parent, ErrorBoxFn showError)
    : TGroupDialog({.windowName = "FAddSubGrupo",
                    .caption = "Agregar subgrupo",
                    .captionMessage = 27,
                    .nameLabel = "Nombre del grupo a agregar:",
                    .newNode = true,
                    .kind = NodeKind::Group,
                    .centredOnScreen = false},
                   parent, std::move(showError)) {}

}  // namespace bv
