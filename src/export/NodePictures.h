#pragma once
// The 26 node pictures of the program as PNG files (16 x 16), carried by the core so that an
// export can take them along. The bytes are the files of src/ui/pictures/nodes.

#include <cstdint>
#include <span>

#include "ui/NodePictureCount.h"

namespace bv {

extern const std::span<const unsigned char> kNodePicturePngs[kNodePictureCount];

// The PNG bytes of picture index; empty for an index outside 0 .. 25.
std::span<const unsigned char> NodePicturePng(std::int32_t index);

}  // namespace bv
