#pragma once
// One INI file as the program knows it (settings and language files alike).
//
// Reading: "[Section]" lines open a section, "key=value" lines follow; section and key
// names match without regard to ASCII case; blanks around names and values are ignored;
// a value wrapped in one pair of matching quotes loses them; a value is read up to
// 2047 bytes; lines starting with ';' are comments. Bytes are kept as they are
// (Windows-1252 text). A missing or unreadable file reads as empty.
//
// Writing one key changes or adds exactly one line (and a section line when the section
// is new); every other byte of the file stays as it was, line ends included. The file is
// replaced whole (files/FileReplacement.h), so a failed write never truncates it; the
// failure throws EIniWriteError. A file that exists but cannot be
// read is never written: its other lines would be lost.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bv {

class EIniWriteError : public std::runtime_error {
 public:
  EIniWriteError(const std::filesystem::path& path, const std::string& reason);
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class IniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;

  // Loads the file at once; the object is a snapshot that Write keeps in step.
  explicit IniFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }

  [[nodiscard]] std::optional<std::string> Read(std::string_view section,
                                                std::string_view key) const;
  [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                       std::string_view def) const;
  [[nodiscard]] bool HasSection(std::string_view section) const;
  // The keys of the section's first occurrence.
  [[nodiscard]] std::vector<std::string> KeyNames(std::string_view section) const;

  // Sets the value of one key and saves the file; throws EIniWriteError on failure.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // The same operations for callers that open and close the file on each access.
  [[nodiscard]] static std::string ReadOnce(const std::filesystem::path& path,
                                            std::string_view section, std::string_view key,
                                            std::string_view def);
  static void WriteOnce(const std::filesystem::path& path, std::string_view section,
                        std::string_view key, std::string_view value);

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n" or "" (the last line of a file without final line end)
  };
  struct Location {
    std::size_t sectionLine;  // index of the "[section]" line
    std::size_t end;          // one past the section's last line
  };

  [[nodiscard]] std::optional<Location> FindSection(std::string_view section) const;
  [[nodiscard]] std::optional<std::size_t> FindKey(const Location& where,
                                                   std::string_view key) const;
  std::string NewLineEnd() const;
  void Save(const std::vector<Line>& lines) const;

  std::filesystem::path path_;
  std::vector<Line> lines_;
  bool unreadable_ = false;
};

}  // namespace bv
