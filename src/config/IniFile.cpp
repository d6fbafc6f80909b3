#include "config/IniFile.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>
#include <utility>

#include "files/FileReplacement.h"
#include "files/InOutError.h"

namespace bv {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

// Names compare without regard to ASCII case only: Windows-1252 letters stay distinct.
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

bool IsComment(std::string_view trimmed) { return !trimmed.empty() && trimmed.front() == ';'; }

std::optional<std::string_view> SectionName(std::string_view line) {
  const auto t = Trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  return Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct KeyValue {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::string_view line) {
  const auto t = Trim(line);
  if (t.empty() || IsComment(t) || t.front() == '[') return std::nullopt;
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyValue{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

std::string CleanValue(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v.substr(0, IniFile::kMaxValueLength));
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

EIniWriteError::EIniWriteError(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error("Unable to write to " + path.string() + ": " + reason), path_(path) {}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code ec;
  const auto type = std::filesystem::status(path_, ec).type();
  if (type == std::filesystem::file_type::not_found || path_.empty()) return;
  std::ifstream in(path_, std::ios::binary);
  if (type != std::filesystem::file_type::regular || !in) {
    unreadable_ = true;
    return;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    unreadable_ = true;
    return;
  }
  std::size_t start = 0;
  while (start < bytes.size()) {
    const auto nl = bytes.find('\n', start);
    if (nl == std::string::npos) {
      lines_.push_back({bytes.substr(start), ""});
      break;
    }
    std::string text = bytes.substr(start, nl - start);
    std::string end = "\n";
    if (!text.empty() && text.back() == '\r') {
      text.pop_back();
      end = "\r\n";
    }
    lines_.push_back({std::move(text), std::move(end)});
    start = nl + 1;
  }
}

std::optional<IniFile::Location> IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i].text);
    if (!name || !SameName(*name, Trim(section))) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
    return Location{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Location& where, std::string_view key) const {
  for (std::size_t i = where.sectionLine + 1; i < where.end; ++i) {
    const auto kv = SplitKeyValue(lines_[i].text);
    if (kv && SameName(kv->key, Trim(key))) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  const auto where = FindSection(section);
  if (!where) return std::nullopt;
  const auto line = FindKey(*where, key);
  if (!line) return std::nullopt;
  return CleanValue(SplitKeyValue(lines_[*line].text)->value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  auto value = Read(section, key);
  return value ? std::move(*value) : std::string(def);
}

bool IniFile::HasSection(std::string_view section) const {
  return FindSection(section).has_value();
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const auto where = FindSection(section))
    for (std::size_t i = where->sectionLine + 1; i < where->end; ++i)
      if (const auto kv = SplitKeyValue(lines_[i].text)) names.emplace_back(kv->key);
  return names;
}

std::string IniFile::NewLineEnd() const {
  for (const auto& line : lines_)
    if (!line.end.empty()) return line.end;
  return "\n";
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  // A line break would split the value and let its rest be read as other keys.
  if (unreadable_) throw EIniWriteError(path_, "the file exists but cannot be read");
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
      Trim(key).empty())
    throw EIniWriteError(path_, "invalid section, key or value");

  auto lines = lines_;
  const std::string eol = NewLineEnd();
  const auto terminateLast = [&] {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = eol;
  };
  if (const auto where = FindSection(section)) {
    if (const auto at = FindKey(*where, key)) {
      const auto kv = SplitKeyValue(lines[*at].text);
      lines[*at].text = std::string(kv->key) + "=" + std::string(value);
    } else {
      // After the section's last non-blank line, so blank separators stay below it.
      std::size_t after = where->sectionLine;
      for (std::size_t i = where->sectionLine + 1; i < where->end; ++i)
        if (!Trim(lines[i].text).empty()) after = i;
      if (lines[after].end.empty()) lines[after].end = eol;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                   Line{std::string(Trim(key)) + "=" + std::string(value), eol});
    }
  } else {
    terminateLast();
    lines.push_back({"[" + std::string(Trim(section)) + "]", eol});
    lines.push_back({std::string(Trim(key)) + "=" + std::string(value), eol});
  }
  Save(lines);
  lines_ = std::move(lines);
}

void IniFile::Save(const std::vector<Line>& lines) const {
  std::string bytes;
  for (const auto& line : lines) bytes += line.text + line.end;
  // The whole file is replaced the way a profile is: a symbolic link keeps pointing at it,
  // its permissions and owner stay, and a failed write leaves the old file as it was.
  try {
    FileReplacement replacement(path_, 0);
    replacement.Temp().WriteAll(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    replacement.Seal();
    replacement.Commit();
  } catch (const EInOutError& error) {
    throw EIniWriteError(path_, error.SystemError() != 0 ? std::strerror(error.SystemError())
                                                         : std::string(error.what()));
  }
}

std::string IniFile::ReadOnce(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view def) {
  return IniFile(path).ReadString(section, key, def);
}

void IniFile::WriteOnce(const std::filesystem::path& path, std::string_view section,
                        std::string_view key, std::string_view value) {
  IniFile(path).Write(section, key, value);
}

}  // namespace bv
