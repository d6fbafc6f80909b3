#include "extension/SiteAddress.h"

#include <idn2.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

namespace bv {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsSchemeName(std::string_view text) {
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text.front()))) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

bool IsIpv4(std::string_view host) {
  int parts = 0;
  std::size_t start = 0;
  while (start <= host.size()) {
    const std::size_t dot = std::min(host.find('.', start), host.size());
    const std::string_view part = host.substr(start, dot - start);
    if (part.empty() || part.size() > 3) return false;
    int value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc() || end != part.data() + part.size() || value > 255) return false;
    ++parts;
    start = dot + 1;
  }
  return parts == 4;
}

// The ASCII form of a host name: non-ASCII names go through IDNA 2008 (punycode).
std::optional<std::string> AsciiHost(std::string_view host) {
  const bool ascii = std::all_of(host.begin(), host.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    const bool usable = std::all_of(host.begin(), host.end(), [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
    });
    if (!usable) return std::nullopt;
    return Lower(host);
  }
  const std::string zeroEnded(host);
  char* converted = nullptr;
  if (idn2_to_ascii_8z(zeroEnded.c_str(), &converted, IDN2_NONTRANSITIONAL) != IDN2_OK) {
    return std::nullopt;
  }
  std::string out = Lower(converted);
  idn2_free(converted);
  return out;
}

}  // namespace

int DefaultPort(std::string_view scheme) {
  if (scheme == "http" || scheme == "ws") return 80;
  if (scheme == "https" || scheme == "wss") return 443;
  if (scheme == "ftp") return 21;
  return 0;
}

std::optional<SiteAddress> ParseSiteAddress(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  SiteAddress address;
  address.scheme = "https";
  if (const std::size_t mark = text.find("://");
      mark != std::string_view::npos && IsSchemeName(text.substr(0, mark))) {
    address.scheme = Lower(text.substr(0, mark));
    text.remove_prefix(mark + 3);
  }
  const std::size_t authorityEnd = std::min(text.find_first_of("/?#"), text.size());
  std::string_view authority = text.substr(0, authorityEnd);
  std::string_view rest = text.substr(authorityEnd);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    authority.remove_prefix(at + 1);
  }
  std::string_view host = authority;
  std::string_view port;
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
    const std::string_view after = authority.substr(close + 1);
    if (!after.empty() && !after.starts_with(':')) return std::nullopt;
    if (!after.empty()) port = after.substr(1);
    if (host.empty() || host.find_first_not_of("0123456789abcdefABCDEF:.") != host.npos) {
      return std::nullopt;
    }
    address.host = Lower(host);
    address.hostIsIp = true;
  } else {
    if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
      host = authority.substr(0, colon);
      port = authority.substr(colon + 1);
    }
    while (host.ends_with('.')) host.remove_suffix(1);
    if (host.empty()) return std::nullopt;
    auto ascii = AsciiHost(host);
    if (!ascii) return std::nullopt;
    address.host = std::move(*ascii);
    address.hostIsIp = IsIpv4(address.host);
  }
  address.port = DefaultPort(address.scheme);
  if (!port.empty()) {
    int value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (error != std::errc() || end != port.data() + port.size() || value < 1 || value > 65535) {
      return std::nullopt;
    }
    address.port = value;
    address.portWritten = true;
  }
  const std::size_t pathEnd = std::min(rest.find_first_of("?#"), rest.size());
  address.path = std::string(rest.substr(0, pathEnd));
  if (address.path.empty()) address.path = "/";
  return address;
}

}  // namespace bv
