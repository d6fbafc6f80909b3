#include "extension/PublicSuffixes.h"

#include <idn2.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace bv {
namespace {

// A rule in the ASCII form hosts are compared in; empty when libidn2 refuses it.
std::string AsciiRule(std::string_view rule) {
  const bool ascii = std::all_of(rule.begin(), rule.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return std::string(rule);
  const std::string zeroEnded(rule);
  char* converted = nullptr;
  if (idn2_to_ascii_8z(zeroEnded.c_str(), &converted, IDN2_NONTRANSITIONAL) != IDN2_OK) return {};
  std::string out(converted);
  idn2_free(converted);
  return out;
}

}  // namespace

PublicSuffixes PublicSuffixes::FromText(std::string_view text) {
  PublicSuffixes list;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    // A rule is the line's first word.
    line = line.substr(0, std::min(line.find_first_of(" \t\r"), line.size()));
    if (line.empty() || line.starts_with("//")) continue;
    if (line.starts_with('!')) {
      if (auto rule = AsciiRule(line.substr(1)); !rule.empty()) list.exceptions_.insert(rule);
    } else if (line.starts_with("*.")) {
      if (auto rule = AsciiRule(line.substr(2)); !rule.empty()) list.wildcards_.insert(rule);
    } else if (auto rule = AsciiRule(line); !rule.empty()) {
      list.names_.insert(rule);
    }
  }
  return list;
}

PublicSuffixes PublicSuffixes::FromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return FromText(text.str());
}

bool PublicSuffixes::IsSuffix(std::string_view host) const {
  if (host.empty()) return true;
  const std::size_t dot = host.find('.');
  if (dot == std::string_view::npos) return true;  // every top-level label is a suffix
  const std::string name(host);
  if (exceptions_.contains(name)) return false;
  if (names_.contains(name)) return true;
  return wildcards_.contains(std::string(host.substr(dot + 1)));
}

}  // namespace bv
