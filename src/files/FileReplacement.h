#pragma once
// Replacing a file whole, so that a failed write never costs the old content: the new
// content goes to a temporary file in the same folder, which takes the old file's place only
// once it is complete, on disk and checked. Failures throw EInOutError.
//
// The temporary file has no name where the file system allows it (O_TMPFILE): a process
// that dies during the save leaves nothing behind. It gets a name only when complete, for
// the instant between linking it in and renaming it over the old file (a new file is linked
// in under its own name directly); the helper of LinkGuard.h removes that name should the
// process be killed in that instant. Elsewhere a named temporary file serves from the start,
// guarded the same way for the whole save and recorded for the signal cleanup of
// SaveSignals.h.
//
// Either way the temporary name is ".NAME.~bvsave~" and six letters or digits, beside NAME:
// a mark no person puts in a file name. Only a file of that name can be taken for the
// leftover of a killed save (see TemporaryFileNames.h for when one is removed).

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileHandle.h"

namespace bv {

class FileReplacement {
 public:
  // Follows a symbolic link to the real file. An existing file must be a regular file (a
  // device, FIFO or socket throws ENotRegularFile) and open for writing (a read-only profile
  // is refused with "Acceso al archivo denegado"); its first keepPrefix bytes are read for
  // the caller. Then creates the temporary file. leadingBytes: what every file the caller
  // writes begins with; leftovers of killed saves are removed only if they begin so (empty:
  // never removed).
  FileReplacement(const std::filesystem::path& path, std::size_t keepPrefix,
                  std::string_view leadingBytes = {});
  // Removes the temporary file unless Commit ran.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // The real file replaced: the path given, its symbolic links followed.
  const std::filesystem::path& Target() const { return target_; }
  // Up to keepPrefix bytes of the file being replaced (empty for a new file).
  const std::vector<std::uint8_t>& OldPrefix() const { return oldPrefix_; }
  FileHandle& Temp() { return temp_; }

  // What the replaced file's readers keep: a profile keeps the old file's permissions (owner
  // only for a new or empty file); an export of secrets in clear is owner only, always.
  enum class Access {
    KeepOld,
    OwnerOnly
  };
  // Gives the temporary file its permissions and flushes it to disk. Call before checking
  // what was written.
  void Seal(Access access = Access::KeepOld);
  // Puts the temporary file in the target's place, then removes what earlier killed saves
  // of the same target left behind.
  void Commit();

 private:
  void CreateNamed();
  void LinkUnnamed();

  std::filesystem::path target_;
  std::string leadingBytes_;
  std::filesystem::path tempPath_;  // the named temporary file, when one is used
  FileHandle temp_;
  std::vector<std::uint8_t> oldPrefix_;
  bool targetExists_ = false;
  bool existed_ = false;  // a non-empty file is replaced
  bool unnamed_ = false;
  mode_t mode_ = 0600;
  uid_t owner_ = 0;
  gid_t group_ = 0;
  bool committed_ = false;
};

// Makes sure a new file can be written at path before anything else is given up for it: a
// missing file is created empty (readable by its owner only); an existing one must be a
// regular file that opens for writing. True when the file was created here.
[[nodiscard]] bool ClaimNewFile(const std::filesystem::path& path);

// The file a path names once symbolic links in its last component are followed; a path that
// names nothing (or a dangling link's target) is returned as it is.
std::filesystem::path ResolveFileLinks(const std::filesystem::path& path);

// Process-wide, on by default. Off makes every save use the named temporary file, as on a
// file system without unnamed ones (the kill tests use it to try that way too).
void AllowUnnamedTemporaryFiles(bool allow);

// Process-wide, none by default: a step run on every temporary file at the end of Seal,
// after it reached the disk and before the caller reads it back. Tests spoil the written
// bytes there, as a failing disk would, to see the read-back refuse the save.
using SealedFileStep = std::function<void(FileHandle& temp)>;
void SetSealedFileStep(SealedFileStep step);

}  // namespace bv
