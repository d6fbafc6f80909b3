#include "export/Gzip.h"

#include <zlib.h>

#include <cstdlib>
#include <limits>
#include <stdexcept>

#include <botan/mem_ops.h>

namespace bv {
namespace {

// zlib's window and hash tables hold pieces of the plain payload: they are wiped when zlib
// frees them. Each block remembers its size in front of the memory handed out.
constexpr std::size_t kPrefix = alignof(std::max_align_t);

voidpf WipingAlloc(voidpf, uInt items, uInt size) {
  const std::size_t bytes = static_cast<std::size_t>(items) * size;
  auto* block = static_cast<unsigned char*>(std::malloc(bytes + kPrefix));
  if (!block) return Z_NULL;
  *reinterpret_cast<std::size_t*>(block) = bytes;
  return block + kPrefix;
}

void WipingFree(voidpf, voidpf address) {
  if (!address) return;
  auto* block = static_cast<unsigned char*>(address) - kPrefix;
  Botan::secure_scrub_memory(block, *reinterpret_cast<std::size_t*>(block) + kPrefix);
  std::free(block);
}

}  // namespace

SecureBytes GzipCompress(std::span<const std::uint8_t> input) {
  if (input.size() > std::numeric_limits<uInt>::max() / 2)
    throw std::length_error("gzip: input too large");
  z_stream stream{};
  stream.zalloc = WipingAlloc;
  stream.zfree = WipingFree;
  // 16 + 15: a gzip header and trailer around a deflate stream with the largest window.
  if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 16 + 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("zlib: deflateInit2 failed");
  SecureBytes out(deflateBound(&stream, static_cast<uLong>(input.size())));
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  const auto produced = stream.total_out;
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("zlib: deflate failed");
  out.resize(produced);
  return out;
}

}  // namespace bv
