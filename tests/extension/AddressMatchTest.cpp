#include <gtest/gtest.h>

#include <string>

#include "extension/AddressMatch.h"

namespace bv {
namespace {

struct MatchCase {
  const char* account;
  const char* page;
  MatchCloseness expected;
  MatchOptions options = {};
};

constexpr MatchCloseness kSame = MatchCloseness::SameHost;
constexpr MatchCloseness kSub = MatchCloseness::Subdomain;
constexpr MatchCloseness kNone = MatchCloseness::None;
constexpr MatchOptions kHttpToo{true, false};
constexpr MatchOptions kExactPath{false, true};

const PublicSuffixes& Suffixes() {
  // A piece of the real list, so that the test does not depend on the installed one.
  static const PublicSuffixes list = PublicSuffixes::FromText(
      "// comment\ncom\nnet\nuk\nco.uk\ngithub.io\n*.ck\n!www.ck\nxn--p1ai\n"
      "\xd1\x80\xd1\x84 // the Unicode form of the rule above\n");
  return list;
}

class AddressRule : public ::testing::TestWithParam<MatchCase> {};

TEST_P(AddressRule, AccountAddressAgainstPage) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(MatchAddressText(c.account, c.page, c.options, Suffixes()), c.expected)
      << c.account << " for " << c.page;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddressRule,
    ::testing::Values(
        // Host and subdomains.
        MatchCase{"https://example.com", "https://example.com/login", kSame},
        MatchCase{"https://example.com", "https://www.example.com", kSub},
        MatchCase{"https://example.com", "https://accounts.example.com/x?y#z", kSub},
        MatchCase{"https://www.example.com", "https://example.com", kNone},
        MatchCase{"https://example.com", "https://example.com.evil.net", kNone},
        MatchCase{"https://example.com", "https://evilexample.com", kNone},
        MatchCase{"https://EXAMPLE.com.", "https://Example.COM", kSame},
        MatchCase{"example.com", "https://example.com", kSame},  // no scheme: https
        MatchCase{"example.com", "http://example.com", kNone},
        MatchCase{"https://user:pw@example.com", "https://example.com", kSame},
        MatchCase{"https://example.com@evil.net", "https://example.com", kNone},
        // Schemes.
        MatchCase{"https://example.com", "http://example.com", kNone},
        MatchCase{"http://example.com", "https://example.com", kNone},
        MatchCase{"https://example.com", "http://example.com", kSame, kHttpToo},
        MatchCase{"https://example.com", "http://www.example.com", kSub, kHttpToo},
        MatchCase{"ftp://example.com", "https://example.com", kNone, kHttpToo},
        // Ports: the default one written or not is the same port.
        MatchCase{"https://example.com", "https://example.com:443", kSame},
        MatchCase{"https://example.com:443", "https://example.com", kSame},
        MatchCase{"https://example.com", "https://example.com:8443", kNone},
        MatchCase{"https://example.com:8443", "https://example.com:8443/a", kSame},
        MatchCase{"http://example.com:8080", "https://example.com:8080", kSame, kHttpToo},
        MatchCase{"https://example.com", "http://example.com:443", kNone, kHttpToo},
        MatchCase{"https://example.com:99999", "https://example.com", kNone},
        // Public suffixes and IP addresses never lend to subdomains.
        MatchCase{"https://com", "https://example.com", kNone},
        MatchCase{"https://co.uk", "https://bank.co.uk", kNone},
        MatchCase{"https://github.io", "https://someone.github.io", kNone},
        MatchCase{"https://foo.ck", "https://a.foo.ck", kNone},  // *.ck
        MatchCase{"https://www.ck", "https://a.www.ck", kSub},   // !www.ck
        MatchCase{"https://bank.co.uk", "https://www.bank.co.uk", kSub},
        MatchCase{"https://localhost", "https://a.localhost", kNone},
        MatchCase{"https://10.0.0.1", "https://10.0.0.1/admin", kSame},
        MatchCase{"https://0.0.1", "https://10.0.0.1", kNone},
        MatchCase{"https://[::1]:8080", "https://[::1]:8080/x", kSame},
        // International names compared in their ASCII form.
        MatchCase{"https://b\xc3\xbc"
                  "cher.example",
                  "https://xn--bcher-kva.example", kSame},
        MatchCase{"https://xn--bcher-kva.example",
                  "https://www.b\xc3\xbc"
                  "cher.example",
                  kSub},
        MatchCase{"https://\xd1\x80\xd1\x84", "https://a.xn--p1ai", kNone},
        // Paths count only with "exact path".
        MatchCase{"https://example.com/a", "https://example.com/b", kSame},
        MatchCase{"https://example.com/a", "https://example.com/b", kNone, kExactPath},
        MatchCase{"https://example.com/a/", "https://example.com/a?x=1", kSame, kExactPath},
        // Nothing usable never matches.
        MatchCase{"", "https://example.com", kNone},
        MatchCase{"https://", "https://example.com", kNone},
        MatchCase{"https://exa mple.com", "https://exa mple.com", kNone}));

TEST(SiteAddress, PartsOfAnAddress) {
  const auto address = ParseSiteAddress("  HTTP://Me@Example.com:8080/Path/x?q#f ");
  ASSERT_TRUE(address);
  EXPECT_EQ(address->scheme, "http");
  EXPECT_EQ(address->host, "example.com");
  EXPECT_EQ(address->port, 8080);
  EXPECT_EQ(address->path, "/Path/x");
  EXPECT_FALSE(address->hostIsIp);
}

TEST(PublicSuffixes, TheInstalledListKnowsCommonSuffixes) {
  const PublicSuffixes list = PublicSuffixes::FromFile();
  EXPECT_TRUE(list.IsSuffix("co.uk"));
  EXPECT_TRUE(list.IsSuffix("github.io"));
  EXPECT_FALSE(list.IsSuffix("example.co.uk"));
}

}  // namespace
}  // namespace bv
