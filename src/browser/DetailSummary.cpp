// The facts of the summary page: the profile file's name, size and modification time, and
// the number of accounts and of other nodes in the tree.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "browser/DetailPage.h"
#include "config/ProgramPaths.h"

namespace bv {
namespace {

// The file is opened for reading only, so other readers and writers are not disturbed;
// size and time are taken from the opened file itself.
struct stat StatOpenedFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw ESummaryFileError(EInOutError::FromErrno(errno));
  struct stat st {};
  const int rc = ::fstat(fd, &st);
  const int error = errno;
  ::close(fd);
  if (rc != 0) throw ESummaryFileError(EInOutError::FromErrno(error));
  if (S_ISDIR(st.st_mode)) throw ESummaryFileError(EInOutError::FromErrno(EISDIR));
  return st;
}

}  // namespace

std::string SizeInKb(std::uint64_t bytes) { return std::to_string(bytes / 1024) + " Kb"; }

SummaryInfo ComputeSummary(const std::filesystem::path& path, const TProfileHeader& header,
                           const ProfileTree& tree) {
  const struct stat st = StatOpenedFile(path);
  SummaryInfo info;
  info.FileName = PathToSetting(path.filename());  // shown as Windows-1252 text
  info.SizeBytes = static_cast<std::uint64_t>(st.st_size);
  info.Modified = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
  tree.ForEachPreOrder([&](const TreeNode& node, int) {
    if (node.data.Kind() == NodeKind::Account)
      ++info.Accounts;
    else
      ++info.Others;
  });
  info.Owner = header.Owner;
  info.Title = header.Title;
  info.Magic = header.Magic;
  return info;
}

}  // namespace bv
