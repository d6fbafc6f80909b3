// The offline breach list: SHA-1 of the UTF-8 form, look-ups on lists the tests write, and
// files refused for their form or order.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "tools/BreachList.h"

namespace bv {
namespace {

using Reason = EBreachListError::Reason;

TEST(PasswordSha1, HashesTheUtf8FormInUpperCaseHex) {
  EXPECT_EQ(Sha1Hex(PasswordSha1("password")), "5BAA61E4C9B93F3F0682250B6CF8331B7EE68FD8");
  // "contraseña" and "€uro": Windows-1252 bytes, hashed as the UTF-8 the list was made from.
  EXPECT_EQ(Sha1Hex(PasswordSha1("contrase\xF1"
                                 "a")),
            "8C31B65BDECDC9F18B695D7318186FD1FEED690D");
  EXPECT_EQ(Sha1Hex(PasswordSha1("\x80uro")), "B513A36894C347A73A7AB40EF44093701BDEA3CB");
}

struct Entry {
  std::string hash;
  std::uint64_t count;
};

// count lines of "password<i>", sorted by hash, seen i + 1 times.
std::vector<Entry> Entries(int count) {
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i)
    entries.push_back(
        {Sha1Hex(PasswordSha1("password" + std::to_string(i))), static_cast<std::uint64_t>(i + 1)});
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.hash < b.hash; });
  return entries;
}

std::string ListText(const std::vector<Entry>& entries, const std::string& lineEnd = "\r\n",
                     bool finalLineEnd = true) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    text += entries[i].hash + ":" + std::to_string(entries[i].count);
    if (i + 1 < entries.size() || finalLineEnd) text += lineEnd;
  }
  return text;
}

Sha1Digest DigestOf(const std::string& hex) {
  Sha1Digest digest{};
  for (std::size_t i = 0; i < digest.size(); ++i)
    digest[i] = static_cast<std::uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
  return digest;
}

Reason RefusalOf(const std::filesystem::path& path) {
  try {
    BreachList list(path);
  } catch (const EBreachListError& error) {
    EXPECT_FALSE(std::string(error.what()).empty());
    return error.reason();
  }
  ADD_FAILURE() << "the list was accepted";
  return Reason::Unreadable;
}

class BreachListLookup : public ::testing::TestWithParam<int> {};

// Small lists are read line by line; larger ones are searched, and checked at both ends.
TEST_P(BreachListLookup, FindsEveryListedHashAndNothingElse) {
  const std::vector<Entry> entries = Entries(GetParam());
  test::ScratchFolder scratch;
  for (const auto& [name, text] : {std::pair{"crlf.txt", ListText(entries)},
                                   {"lf.txt", ListText(entries, "\n")},
                                   {"unended.txt", ListText(entries, "\r\n", false)},
                                   {"blank-crlf.txt", ListText(entries) + "\r\n"},
                                   {"blank-lf.txt", ListText(entries, "\n") + "\n"}}) {
    test::WriteFile(scratch / name, text);
    const BreachList list(scratch / name);
    EXPECT_EQ(list.TimesSeen(DigestOf(entries.front().hash)), entries.front().count) << name;
    EXPECT_EQ(list.TimesSeen(DigestOf(entries.back().hash)), entries.back().count) << name;
    for (std::size_t i = 0; i < entries.size(); i += 7)
      EXPECT_EQ(list.TimesSeen(DigestOf(entries[i].hash)), entries[i].count) << name << " " << i;
    for (int i = 0; i < 50; ++i)
      EXPECT_EQ(list.TimesSeen(PasswordSha1("missing" + std::to_string(i))), 0U) << name;
    EXPECT_EQ(list.TimesSeen(DigestOf(std::string(40, '0'))), 0U);
    EXPECT_EQ(list.TimesSeen(DigestOf(std::string(40, 'F'))), 0U);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BreachListLookup, ::testing::Values(1, 3, 40, 5000));

TEST(BreachList, RefusesFilesNotInTheForm) {
  test::ScratchFolder scratch;
  const std::string good = ListText(Entries(3));
  std::string lower = good;
  std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
  const struct {
    const char* name;
    std::string text;
    Reason reason;
  } cases[] = {
      {"empty", "", Reason::Empty},
      {"lower-case hex", lower, Reason::Malformed},
      {"no count", good.substr(0, 41) + "\r\n", Reason::Malformed},
      {"NTLM hashes", "8846F7EAEE8FB117AD06BDD830B7586C:3\r\n", Reason::Malformed},
      {"prose", "This is a list of passwords.\nOne per line.\n", Reason::Malformed},
      {"count too large", good.substr(0, 41) + "123456789012345678901\r\n", Reason::Malformed},
      {"unsorted", ListText({Entries(3)[1], Entries(3)[0], Entries(3)[2]}), Reason::Unsorted},
      {"repeated", ListText({Entries(3)[0], Entries(3)[0]}), Reason::Unsorted},
  };
  for (const auto& c : cases) {
    test::WriteFile(scratch / "list.txt", c.text);
    EXPECT_EQ(RefusalOf(scratch / "list.txt"), c.reason) << c.name;
  }
}

TEST(BreachList, RefusesWhatCannotBeRead) {
  test::ScratchFolder scratch;
  try {
    BreachList list(scratch / "missing.txt");
    ADD_FAILURE();
  } catch (const EBreachListError& error) {
    EXPECT_EQ(error.reason(), Reason::Unreadable);
    EXPECT_EQ(error.systemError(), ENOENT);
  }
  EXPECT_EQ(RefusalOf(scratch.path()), Reason::Unreadable);
  ASSERT_EQ(::mkfifo((scratch / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(RefusalOf(scratch / "fifo"), Reason::NotRegular);
}

// A fault in the middle of a large list escapes the check at opening; the searches that read
// it report it instead of answering from it.
TEST(BreachList, SearchesReportDisorderAndDamageTheyMeet) {
  const std::vector<Entry> entries = Entries(5000);
  test::ScratchFolder scratch;
  std::vector<Entry> reversed = entries;
  std::reverse(reversed.begin() + 1000, reversed.begin() + 4000);
  std::string damaged = ListText(entries);
  const std::size_t middle = damaged.find('\n', damaged.size() / 2) + 1;
  damaged.replace(middle, 40, std::string(40, 'x'));

  for (const auto& [name, text, reason] :
       {std::tuple{"reversed.txt", ListText(reversed), Reason::Unsorted},
        {"damaged.txt", damaged, Reason::Malformed}}) {
    test::WriteFile(scratch / name, text);
    const BreachList list(scratch / name);
    int reported = 0;
    for (const Entry& entry : entries) {
      try {
        const std::uint64_t seen = list.TimesSeen(DigestOf(entry.hash));
        EXPECT_TRUE(seen == 0 || seen == entry.count) << name;
      } catch (const EBreachListError& error) {
        EXPECT_EQ(error.reason(), reason) << name;
        ++reported;
      }
    }
    EXPECT_GT(reported, 0) << name;
  }
}

}  // namespace
}  // namespace bv
