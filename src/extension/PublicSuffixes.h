#pragma once
// The public suffixes (com, co.uk, github.io...) under which anybody may register a name:
// an account for such a host never lends its logins to the host's subdomains. Read from the
// list Debian ships (package publicsuffix), rules kept in their ASCII (punycode) form.

#include <string>
#include <string_view>
#include <unordered_set>

namespace bv {

class PublicSuffixes {
 public:
  static constexpr const char* kDebianList = "/usr/share/publicsuffix/public_suffix_list.dat";

  // An empty list still knows that a single label ("com", "localhost") is a suffix.
  PublicSuffixes() = default;
  // Reads the list's rules: "name", "*.name" and "!name"; comments and blank lines skipped.
  static PublicSuffixes FromText(std::string_view text);
  // The Debian list, or an empty list when the file cannot be read.
  static PublicSuffixes FromFile(const std::string& path = kDebianList);

  // Whether host (lower case, ASCII form) is itself a public suffix.
  [[nodiscard]] bool IsSuffix(std::string_view host) const;

 private:
  std::unordered_set<std::string> names_;
  std::unordered_set<std::string> wildcards_;  // "*.ck" kept as "ck"
  std::unordered_set<std::string> exceptions_;
};

}  // namespace bv
