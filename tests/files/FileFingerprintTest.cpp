// Fingerprints of a profile's version: the digest is SHA-256, each way another writer can
// touch the file is told apart, the stat alone decides "unchanged", a write during a read is
// noticed, and reads racing replacements by rename never mix two versions.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "files/FileFingerprint.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

namespace fs = std::filesystem;

std::string Hex(const Sha256& digest) {
  static const char* kDigits = "0123456789abcdef";
  std::string hex;
  for (const std::uint8_t byte : digest) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Sets the modification time back to what it was, as sync tools do.
void SetModified(const fs::path& path, std::int64_t modifiedNs) {
  const timespec times[2] = {{0, UTIME_OMIT},
                             {static_cast<time_t>(modifiedNs / 1'000'000'000),
                              static_cast<long>(modifiedNs % 1'000'000'000)}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Writes bytes under a temporary name and renames it over path.
void ReplaceByRename(const fs::path& path, const std::string& bytes) {
  const fs::path temporary = path.parent_path() / ".replacement.tmp";
  test::WriteFile(temporary, bytes);
  fs::rename(temporary, path);
}

TEST(FileFingerprint, DigestIsSha256OfTheBytes) {
  EXPECT_EQ(Hex(Sha256Of(Bytes(""))),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  test::ScratchFolder folder;
  test::WriteFile(folder / "p.bv3", "abc");
  const WholeFile whole = ReadWholeFile(folder / "p.bv3");
  EXPECT_EQ(std::string(whole.bytes.begin(), whole.bytes.end()), "abc");
  EXPECT_EQ(Hex(Sha256Of(whole.bytes)),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(whole.fingerprint.stat, StatOf(folder / "p.bv3"));
  EXPECT_FALSE(whole.fingerprint.digest);  // a read does no hashing; a comparison may
}

struct DiskCase {
  const char* what;
  std::function<void(const fs::path&, const FileStat&)> act;
  DiskState expected;
};

class CompareWithDiskTest : public testing::TestWithParam<DiskCase> {};

TEST_P(CompareWithDiskTest, TellsWhatBecameOfTheFile) {
  test::ScratchFolder folder;
  const fs::path path = folder / "p.bv3";
  test::WriteFile(path, "version one");
  const WholeFile read = ReadWholeFile(path);
  const FileFingerprint held = read.fingerprint;
  // Most file systems keep nanoseconds, but the clock moves in ticks: wait for the next.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  GetParam().act(path, held.stat);

  int digestsAsked = 0;
  const DiskCheck check = CompareWithDisk(path, held.stat, [&] {
    ++digestsAsked;
    return Sha256Of(read.bytes);
  });
  EXPECT_EQ(check.state, GetParam().expected) << GetParam().what;
  switch (check.state) {
    case DiskState::Unchanged:
    case DiskState::Missing:
      EXPECT_FALSE(check.read) << GetParam().what;
      EXPECT_EQ(digestsAsked, 0) << GetParam().what;  // the held bytes are not hashed
      break;
    case DiskState::SameContent:
    case DiskState::Changed:
      ASSERT_TRUE(check.read) << GetParam().what;
      EXPECT_EQ(digestsAsked, 1) << GetParam().what;
      EXPECT_EQ(check.read->fingerprint.stat, ReadWholeFile(path).fingerprint.stat);
      EXPECT_EQ(check.read->fingerprint.digest, Sha256Of(ReadWholeFile(path).bytes));
      // Held from now on, the same file reads as unchanged.
      EXPECT_EQ(CompareWithDisk(path, check.read->fingerprint).state, DiskState::Unchanged);
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Writers, CompareWithDiskTest,
    testing::Values(
        DiskCase{"left alone", [](const fs::path&, const FileStat&) {}, DiskState::Unchanged},
        DiskCase{"touched",
                 [](const fs::path& p, const FileStat&) {
                   ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), nullptr, 0), 0);
                 },
                 DiskState::SameContent},
        DiskCase{"same bytes renamed over it, time set back",
                 [](const fs::path& p, const FileStat& s) {
                   ReplaceByRename(p, "version one");
                   SetModified(p, s.modifiedNs);
                 },
                 DiskState::SameContent},
        DiskCase{"other bytes of the same size renamed over it, time set back",
                 [](const fs::path& p, const FileStat& s) {
                   ReplaceByRename(p, "version two");
                   SetModified(p, s.modifiedNs);
                 },
                 DiskState::Changed},
        DiskCase{"rewritten in place, same size, time set back",
                 [](const fs::path& p, const FileStat& s) {
                   test::WriteInPlace(p, "VERSION one");
                   SetModified(p, s.modifiedNs);
                 },
                 DiskState::Changed},
        DiskCase{"deleted", [](const fs::path& p, const FileStat&) { fs::remove(p); },
                 DiskState::Missing},
        DiskCase{"moved away",
                 [](const fs::path& p, const FileStat&) { fs::rename(p, p.string() + ".old"); },
                 DiskState::Missing}));

TEST(FileFingerprint, EqualStatIsTrustedWithoutReading) {
  test::ScratchFolder folder;
  test::WriteFile(folder / "p.bv3", "version one");
  FileFingerprint held = ReadWholeFile(folder / "p.bv3").fingerprint;
  held.digest = Sha256{};  // a digest the file cannot have
  EXPECT_EQ(CompareWithDisk(folder / "p.bv3", held).state, DiskState::Unchanged);
  held.stat.changedNs -= 1;  // now the bytes must be read, and they differ from that digest
  EXPECT_EQ(CompareWithDisk(folder / "p.bv3", held).state, DiskState::Changed);
}

TEST(FileFingerprint, WriteBetweenStatAndFingerprintIsNoticed) {
  test::ScratchFolder folder;
  const fs::path path = folder / "p.bv3";
  test::WriteFile(path, "version one");
  const FileHandle file = FileHandle::OpenForReading(path);
  const FileStat before = StatOf(file);
  const std::string read = "version one";
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  test::WriteInPlace(path, "VERSION one");
  SetModified(path, before.modifiedNs);  // only the change time tells
  EXPECT_THROW(static_cast<void>(FingerprintOfRead(file, before, Bytes(read))), EChangedWhileRead);
  // Bytes fewer than the file held at the start are no whole read either.
  const FileStat now = StatOf(file);
  EXPECT_THROW(static_cast<void>(FingerprintOfRead(file, now, Bytes("version"))),
               EChangedWhileRead);
  EXPECT_NO_THROW(static_cast<void>(FingerprintOfRead(file, now, Bytes("VERSION one"))));
}

TEST(FileFingerprint, RefusesWhatIsNoFile) {
  test::ScratchFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  EXPECT_THROW(static_cast<void>(ReadWholeFile(folder / "fifo")), EInOutError);
  EXPECT_THROW(static_cast<void>(ReadWholeFile(folder.path())), EInOutError);
  try {
    static_cast<void>(ReadWholeFile(folder / "missing.bv3"));
    ADD_FAILURE() << "a missing file was read";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode(), kFileNotFound);
  }
  EXPECT_FALSE(StatOf(folder / "missing.bv3"));
  EXPECT_FALSE(StatOf(folder / "missing" / "p.bv3"));

  // A sparse file claiming more than a profile can hold is refused before its size is taken.
  const std::filesystem::path huge = folder / "huge.bv3";
  test::WriteFile(huge, "x");
  std::filesystem::resize_file(huge, kMaxWholeFileSize + 1);
  try {
    static_cast<void>(ReadWholeFile(huge));
    ADD_FAILURE() << "a file above the limit was read";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.SystemError(), EFBIG);
  }
}

TEST(FileFingerprint, ReadsRacingReplacementsByRenameNeverMix) {
  test::ScratchFolder folder;
  const fs::path path = folder / "p.bv3";
  const std::string versions[2] = {std::string(300'000, 'a'), std::string(200'000, 'b')};
  test::WriteFile(path, versions[0]);
  std::atomic<bool> stop = false;
  std::thread writer([&] {
    for (int k = 1; !stop; ++k) ReplaceByRename(path, versions[k % 2]);
  });
  int mixed = 0, failed = 0;
  for (int k = 0; k < 1000; ++k) {
    try {
      // A rename may touch the inode being read (its change time) before the read ends: the
      // read that a profile's opening makes then opens the path again.
      const WholeFile whole = ReadSettledFile(path);
      const std::string bytes(whole.bytes.begin(), whole.bytes.end());
      if (bytes != versions[0] && bytes != versions[1]) ++mixed;
    } catch (const EInOutError&) {
      ++failed;
    }
  }
  stop = true;
  writer.join();
  EXPECT_EQ(mixed, 0);
  EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace bv
