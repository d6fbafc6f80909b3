#pragma once
// The fuzzer's bytes as a file for code that reads files by path: a memory file, named by its
// descriptor under /proc/self/fd, so that nothing is written to disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace bv::fuzz {

class MemoryFile {
 public:
  MemoryFile(const std::uint8_t* data, std::size_t size) : fd_(::memfd_create("fuzz", 0)) {
    if (fd_ < 0) std::abort();
    for (std::size_t done = 0; done < size;) {
      const ssize_t n = ::write(fd_, data + done, size - done);
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  [[nodiscard]] std::filesystem::path Path() const {
    return "/proc/self/fd/" + std::to_string(fd_);
  }

 private:
  int fd_;
};

}  // namespace bv::fuzz
