#pragma once
// Byte buffers the size of a whole profile (tens or hundreds of megabytes). Filled page by
// page, such a buffer costs one page fault per 4 KiB, which on a virtual machine can cost more
// than reading the file; asking for huge pages first cuts that by a factor of 512 where the
// kernel offers them on request (transparent huge pages in "madvise" mode).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bv {

// Sizes buffer to size bytes (zeroed), asking for huge pages before any page is touched when
// the buffer is large enough to gain from them.
void ResizeLargeBuffer(std::vector<std::uint8_t>& buffer, std::size_t size);
// Makes room for size bytes in the same way, without changing the buffer's contents.
void ReserveLargeBuffer(std::vector<std::uint8_t>& buffer, std::size_t size);

}  // namespace bv
