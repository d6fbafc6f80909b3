#include "support/ScratchFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace bv::test {
namespace {

// Saves keep backups under $XDG_DATA_HOME: every test program that makes scratch folders
// (and so may save) points it at a folder of its own for its whole run, and the programs it
// starts inherit it, so that no test ever writes into the real home. Removed by the process
// that made it, not by a forked child that exits.
class ScratchDataHome {
 public:
  ScratchDataHome() : owner_(::getpid()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "bvtest-data-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    ::setenv("XDG_DATA_HOME", path_.c_str(), 1);
  }
  ~ScratchDataHome() {
    if (::getpid() != owner_) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

 private:
  pid_t owner_;
  std::filesystem::path path_;
};

const ScratchDataHome scratchDataHome;

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "bvtest-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  path_ = pattern;
  ::chmod(path_.c_str(), 0755);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
    if (it->is_directory(ignored)) ::chmod(it->path().c_str(), 0755);
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void WriteInPlace(const std::filesystem::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY);
  const bool written =
      fd >= 0 && ::pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
  const int error = errno;
  if (fd >= 0) ::close(fd);
  if (!written) throw std::system_error(error, std::generic_category(), path.string());
}

}  // namespace bv::test
