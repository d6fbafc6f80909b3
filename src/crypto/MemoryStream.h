#pragma once
// A stream over a caller's buffer, with separate read and write positions, so that a
// buffer can be processed in place through the stream interface without a copy.

#include <cstddef>
#include <iostream>
#include <streambuf>

namespace bv {

class MemoryStreamBuffer : public std::streambuf {
 public:
  MemoryStreamBuffer(char* data, std::size_t size);

 protected:
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

 private:
  char* data_;
  std::size_t size_;
};

class MemoryStream : public std::iostream {
 public:
  MemoryStream(char* data, std::size_t size);

 private:
  MemoryStreamBuffer buffer_;
};

}  // namespace bv
