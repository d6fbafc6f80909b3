#include "files/LargeBuffer.h"

#include <sys/mman.h>

namespace bv {
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

// Only the whole huge pages inside the untouched capacity are advised; the call is a hint,
// so a kernel without huge pages simply refuses it.
void AdviseHugePages(LargeBytes& buffer) {
  const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data()) + buffer.size();
  const auto end = reinterpret_cast<std::uintptr_t>(buffer.data()) + buffer.capacity();
  const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = end & ~(kHugePage - 1);
  if (last > first)
    static_cast<void>(::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE));
}

}  // namespace

void ReserveLargeBuffer(LargeBytes& buffer, std::size_t size) {
  if (size <= buffer.capacity()) return;
  buffer.reserve(size);
  if (size >= 2 * kHugePage) AdviseHugePages(buffer);
}

void ResizeLargeBuffer(LargeBytes& buffer, std::size_t size) {
  ReserveLargeBuffer(buffer, size);
  buffer.resize(size);
}

}  // namespace bv
