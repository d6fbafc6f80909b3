#pragma once
// Which accounts a page may receive. The account's address decides:
//   - the same scheme (with "http too", http and https count as one);
//   - the same host, or a subdomain of it unless the account's host is a public suffix or an
//     IP address; hosts compared in their ASCII form;
//   - the same port (an address without a port has its scheme's default);
//   - the path is ignored unless "exact path" is on; then it must be the same.
// Closer matches rank higher: an exact host before a subdomain.

#include <string_view>

#include "extension/PublicSuffixes.h"
#include "extension/SiteAddress.h"

namespace bv {

struct MatchOptions {
  bool httpToo = false;
  bool exactPath = false;
};

enum class MatchCloseness {
  None = 0,
  Subdomain = 1,
  SameHost = 2,
};

[[nodiscard]] MatchCloseness MatchAddress(const SiteAddress& account, const SiteAddress& page,
                                          const MatchOptions& options,
                                          const PublicSuffixes& suffixes);

// The same for the texts of an account's address field and a page's address (both UTF-8).
[[nodiscard]] MatchCloseness MatchAddressText(std::string_view account, std::string_view page,
                                              const MatchOptions& options,
                                              const PublicSuffixes& suffixes);

}  // namespace bv
