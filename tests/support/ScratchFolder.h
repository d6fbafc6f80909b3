#pragma once
// A fresh folder under the system's temporary folder for one test, removed afterwards with
// everything in it; and whole files read and written as raw bytes. A program that links
// this runs with XDG_DATA_HOME set to a scratch folder of its own (where saves keep backups).

#include <filesystem>
#include <string>

namespace bv::test {

// Others may traverse it (the permission tests run part of their work as another user).
// Folders a test made unwritable are made writable again to be removed.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// Replaces the file's content with bytes.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Writes bytes over the start of the existing file, in place (same inode), as a program
// that edits a file without replacing it; throws std::system_error on failure.
void WriteInPlace(const std::filesystem::path& path, const std::string& bytes);

}  // namespace bv::test
