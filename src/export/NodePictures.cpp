#include "export/NodePictures.h"

namespace bv {

std::span<const unsigned char> NodePicturePng(std::int32_t index) {
  if (index < 0 || index >= kNodePictureCount) return {};
  return kNodePicturePngs[index];
}

}  // namespace bv
