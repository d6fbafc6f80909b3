#include "crypto/MemoryStream.h"

namespace bv {

MemoryStreamBuffer::MemoryStreamBuffer(char* data, std::size_t size) : data_(data), size_(size) {
  setg(data_, data_, data_ + size_);
  setp(data_, data_ + size_);
}

MemoryStreamBuffer::pos_type MemoryStreamBuffer::seekoff(off_type offset,
                                                         std::ios_base::seekdir direction,
                                                         std::ios_base::openmode which) {
  const bool in = (which & std::ios_base::in) != 0;
  const bool out = (which & std::ios_base::out) != 0;
  if (!in && !out) return pos_type(off_type(-1));
  off_type base = 0;
  if (direction == std::ios_base::cur) {
    if (in && out) return pos_type(off_type(-1));  // two positions: "current" is ambiguous
    base = in ? gptr() - eback() : pptr() - pbase();
  } else if (direction == std::ios_base::end) {
    base = static_cast<off_type>(size_);
  }
  const off_type target = base + offset;
  if (target < 0 || target > static_cast<off_type>(size_)) return pos_type(off_type(-1));
  if (in) setg(data_, data_ + target, data_ + size_);
  if (out) {
    setp(data_, data_ + size_);
    // pbump takes an int: advance in steps for buffers beyond its range.
    for (off_type left = target; left > 0;) {
      const int step = left > 0x40000000 ? 0x40000000 : static_cast<int>(left);
      pbump(step);
      left -= step;
    }
  }
  return pos_type(target);
}

MemoryStreamBuffer::pos_type MemoryStreamBuffer::seekpos(pos_type position,
                                                         std::ios_base::openmode which) {
  return seekoff(off_type(position), std::ios_base::beg, which);
}

MemoryStream::MemoryStream(char* data, std::size_t size)
    : std::iostream(nullptr), buffer_(data, size) {
  rdbuf(&buffer_);
}

}  // namespace bv
