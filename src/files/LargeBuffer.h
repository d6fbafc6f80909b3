#pragma once
// Byte buffers the size of a whole profile (tens or hundreds of megabytes). Filled page by
// page, such a buffer costs one page fault per 4 KiB, which on a virtual machine can cost more
// than reading the file; asking for huge pages first cuts that by a factor of 512 where the
// kernel offers them on request (transparent huge pages in "madvise" mode).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace bv {

// Leaves the bytes a vector grows by as they are: a buffer that a read or a writer fills at
// once is not cleared first, which would be one more pass over the whole profile.
template <typename T>
struct FillLaterAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = FillLaterAllocator<U>;
  };
  FillLaterAllocator() = default;
  template <typename U>
  explicit FillLaterAllocator(const FillLaterAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* place) noexcept {
    ::new (static_cast<void*>(place)) U;  // default-initialised: left as it is
  }
  template <typename U, typename... Args>
  void construct(U* place, Args&&... args) {
    ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
  }
};

// A whole file's bytes; new bytes are whatever the memory held until they are written.
using LargeBytes = std::vector<std::uint8_t, FillLaterAllocator<std::uint8_t>>;

// Sizes buffer to size bytes (not cleared), asking for huge pages before any page is touched
// when the buffer is large enough to gain from them.
void ResizeLargeBuffer(LargeBytes& buffer, std::size_t size);
// Makes room for size bytes in the same way, without changing the buffer's contents.
void ReserveLargeBuffer(LargeBytes& buffer, std::size_t size);

}  // namespace bv
