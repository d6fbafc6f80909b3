#include "export/KdbxWriter.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>

#include "export/KdbxFile.h"
#include "export/KdbxKey.h"
#include "files/FileReplacement.h"
#include "files/InOutError.h"

namespace bv {
namespace {

// Only a regular file (or nothing) may be replaced: a device, a pipe or a socket at the path
// is refused rather than turned into a file.
void RefuseSpecialTarget(const std::filesystem::path& path) {
  struct stat info {};
  const auto target = ResolveFileLinks(path);
  if (::stat(target.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) throw EInOutError::FromErrno(EISDIR);
  if (!S_ISREG(info.st_mode)) throw EInOutError(kAccessDenied);
}

}  // namespace

void WriteKdbxFile(const std::filesystem::path& path, const TProfileHeader& header,
                   const ProfileTree& tree, std::string_view passwordUtf8,
                   const KdbxKeySettings& key) {
  RefuseSpecialTarget(path);
  const KdbxKey derived = DeriveKdbxKey(passwordUtf8, key);
  const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  const SecureBytes bytes = EncodeKdbx(header, tree, derived, now);

  FileReplacement replacement(path, 0);
  replacement.Temp().WriteAll(bytes);
  // The new file holds every account: owner only, whatever the file it replaces allowed.
  replacement.Seal(FileReplacement::Access::OwnerOnly);
  replacement.Commit();
}

}  // namespace bv
