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
  // Markup shrinks to a small part of its size: start with a quarter and grow when needed
  // (growing moves through wiped memory).
  SecureBytes out(input.size() / 4 + 4096);
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  int result = Z_OK;
  while (result == Z_OK) {
    if (stream.total_out == out.size()) out.resize(out.size() * 2);
    stream.next_out = out.data() + stream.total_out;
    stream.avail_out = static_cast<uInt>(out.size() - stream.total_out);
    result = deflate(&stream, Z_FINISH);
  }
  const auto produced = stream.total_out;
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("zlib: deflate failed");
  out.resize(produced);
  return out;
}

}  // namespace bv
