#pragma once
// Gzip compression (zlib), the compression of a KDBX payload.

#include "export/SecureBytes.h"

namespace bv {

// The whole input as one gzip member. Fast compression: the payload is mostly markup.
SecureBytes GzipCompress(std::span<const std::uint8_t> input);

}  // namespace bv
