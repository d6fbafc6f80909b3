#pragma once
// A web address taken apart for matching: scheme, host in its ASCII (punycode) form, port and
// path. An address without a scheme is taken as https; user names, queries and fragments are
// dropped.

#include <optional>
#include <string>
#include <string_view>

namespace bv {

struct SiteAddress {
  std::string scheme;  // lower case
  std::string host;    // lower case ASCII; an IPv6 address without its brackets
  int port = 0;        // the scheme's default port when none was written
  bool portWritten = false;
  std::string path;  // "/" at least
  bool hostIsIp = false;

  friend bool operator==(const SiteAddress&, const SiteAddress&) = default;
};

// UTF-8 text; nothing when it holds no usable host (empty, spaces, a port out of range,
// a name libidn2 refuses).
[[nodiscard]] std::optional<SiteAddress> ParseSiteAddress(std::string_view text);

// The default port of http, https, ftp...; 0 for schemes without one.
[[nodiscard]] int DefaultPort(std::string_view scheme);

}  // namespace bv
