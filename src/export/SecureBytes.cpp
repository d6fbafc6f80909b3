#include "export/SecureBytes.h"

#include <sys/random.h>

#include <cerrno>
#include <system_error>

namespace bv {
namespace {

template <class T>
void AppendLittleEndian(SecureBytes& out, T value) {
  for (std::size_t i = 0; i < sizeof(T); ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

void AppendUInt16(SecureBytes& out, std::uint16_t value) { AppendLittleEndian(out, value); }
void AppendUInt32(SecureBytes& out, std::uint32_t value) { AppendLittleEndian(out, value); }
void AppendUInt64(SecureBytes& out, std::uint64_t value) { AppendLittleEndian(out, value); }

void FillRandom(std::span<std::uint8_t> out) {
  std::size_t filled = 0;
  while (filled < out.size()) {
    const ssize_t got = getrandom(out.data() + filled, out.size() - filled, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "getrandom");
    }
    filled += static_cast<std::size_t>(got);
  }
}

}  // namespace bv
