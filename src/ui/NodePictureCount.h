#pragma once
// How many node pictures there are (ImgCuentasGrupos, the files of ui/pictures/nodes): the
// one number the tree, the search window, the picture choosers and the export's icons share.
// Plain C++, so that the core may use it too.

namespace bv {

inline constexpr int kNodePictureCount = 26;

}  // namespace bv
