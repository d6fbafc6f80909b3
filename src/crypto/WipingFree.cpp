#include "crypto/WipingFree.h"

#include <malloc.h>
#include <stdlib.h>
#include <string.h>

#if BV_WIPING_FREE

// The C library's own entry points, exported by glibc for allocators that wrap it.
extern "C" {
void* __libc_malloc(size_t size);
void __libc_free(void* block);
}

extern "C" void free(void* block) noexcept {
  if (block == nullptr) return;
  explicit_bzero(block, malloc_usable_size(block));
  __libc_free(block);
}

// Never grows a block in place behind our back: a moved block would leave its old copy in the
// allocator's free lists unwiped. A block keeps its place while the new size still fits and
// uses at least half of it.
extern "C" void* realloc(void* block, size_t size) noexcept {
  if (block == nullptr) return __libc_malloc(size);
  if (size == 0) {
    free(block);
    return nullptr;
  }
  const size_t usable = malloc_usable_size(block);
  if (size <= usable && size >= usable / 2) return block;
  void* moved = __libc_malloc(size);
  if (moved == nullptr) return nullptr;  // the old block stays valid, as realloc promises
  memcpy(moved, block, size < usable ? size : usable);
  free(block);
  return moved;
}

#endif  // BV_WIPING_FREE

namespace bv {

bool FreedMemoryIsWiped() { return BV_WIPING_FREE != 0; }

}  // namespace bv
