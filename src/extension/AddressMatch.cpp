#include "extension/AddressMatch.h"

namespace bv {
namespace {

bool IsWebScheme(std::string_view scheme) { return scheme == "http" || scheme == "https"; }

bool SchemesAgree(const SiteAddress& account, const SiteAddress& page,
                  const MatchOptions& options) {
  if (account.scheme == page.scheme) return true;
  return options.httpToo && IsWebScheme(account.scheme) && IsWebScheme(page.scheme);
}

bool PortsAgree(const SiteAddress& account, const SiteAddress& page) {
  if (account.scheme == page.scheme) return account.port == page.port;
  // http and https taken as one: each side on its own scheme's default port, or the same
  // written port.
  if (!account.portWritten && !page.portWritten) return true;
  return account.portWritten && page.portWritten && account.port == page.port;
}

std::string_view WithoutTrailingSlash(std::string_view path) {
  while (path.size() > 1 && path.ends_with('/')) path.remove_suffix(1);
  return path;
}

}  // namespace

MatchCloseness MatchAddress(const SiteAddress& account, const SiteAddress& page,
                            const MatchOptions& options, const PublicSuffixes& suffixes) {
  if (!SchemesAgree(account, page, options) || !PortsAgree(account, page)) {
    return MatchCloseness::None;
  }
  if (options.exactPath && WithoutTrailingSlash(account.path) != WithoutTrailingSlash(page.path)) {
    return MatchCloseness::None;
  }
  if (account.host == page.host) return MatchCloseness::SameHost;
  if (account.hostIsIp || page.hostIsIp || suffixes.IsSuffix(account.host)) {
    return MatchCloseness::None;
  }
  const std::string_view pageHost = page.host;
  if (pageHost.size() > account.host.size() + 1 && pageHost.ends_with(account.host) &&
      pageHost[pageHost.size() - account.host.size() - 1] == '.') {
    return MatchCloseness::Subdomain;
  }
  return MatchCloseness::None;
}

MatchCloseness MatchAddressText(std::string_view account, std::string_view page,
                                const MatchOptions& options, const PublicSuffixes& suffixes) {
  const auto accountAddress = ParseSiteAddress(account);
  const auto pageAddress = ParseSiteAddress(page);
  if (!accountAddress || !pageAddress) return MatchCloseness::None;
  return MatchAddress(*accountAddress, *pageAddress, options, suffixes);
}

}  // namespace bv
