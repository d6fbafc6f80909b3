// What a save removes of the leftovers of killed saves beside its target: only files it can
// prove are its own. A user's file is never touched, whatever it holds.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>

#include "files/FileReplacement.h"
#include "files/TemporaryFileNames.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

namespace fs = std::filesystem;

// What every file of these saves begins with (the header of a profile, say).
const std::string kStart = "\016Brindlevault_3";

void MakeOld(const fs::path& path, const std::string& content, std::chrono::seconds age) {
  test::WriteFile(path, content);
  fs::last_write_time(path, fs::file_time_type::clock::now() - age);
}

void Save(const fs::path& path, std::string_view leadingBytes) {
  FileReplacement replacement(path, 0, leadingBytes);
  const std::string text = kStart + " nuevo";
  replacement.Temp().WriteAll(
      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  replacement.Seal();
  replacement.Commit();
}

TEST(TemporaryFileNames, CarryTheMarkAndTheTargetsName) {
  const fs::path target = "/carpeta/p.bv3";
  const std::string name = fs::path(NewTemporaryName(target)).filename().string();
  EXPECT_EQ(name.substr(0, 15), ".p.bv3.~bvsave~");
  EXPECT_EQ(name.size(), 21u);
  EXPECT_TRUE(IsTemporaryNameOf(target, name));
  EXPECT_EQ(fs::path(NewTemporaryName(target)).parent_path(), "/carpeta");
  for (const char* other :
       {".p.bv3.backup", ".p.bv3.Ab3xY9", ".p.bv3.~bvsave~Ab3x", ".p.bv3.~bvsave~Ab3xY9Z",
        ".p.bv3.~bvsave~Ab3x-9", "p.bv3.~bvsave~Ab3xY9", ".q.bv3.~bvsave~Ab3xY9"})
    EXPECT_FALSE(IsTemporaryNameOf(target, other)) << other;
}

TEST(Leftovers, OnlyMarkedOldFilesThatBeginAsOursAreRemoved) {
  test::ScratchFolder dir;
  const auto profile = dir / "p.bv3";
  test::WriteFile(profile, kStart + " antiguo");
  const auto old = std::chrono::seconds(120);
  const struct {
    const char* name;
    std::string content;
    std::chrono::seconds age;
    bool removed;
  } cases[] = {
      {".p.bv3.~bvsave~Ab3xY9", kStart + " completo", old, true},
      {".p.bv3.~bvsave~Ab3xY8", "", old, true},                   // killed before writing
      {".p.bv3.~bvsave~Ab3xY7", kStart.substr(0, 5), old, true},  // killed in the first bytes
      {".p.bv3.~bvsave~Qw8eR2", kStart + " completo", std::chrono::seconds(0), false},
      {".p.bv3.~bvsave~Zx1cV3", "notas de alguien", old, false},
      {".p.bv3.~bvsave~Zx1cV4", kStart.substr(0, 5) + "otra cosa", old, false},
      {".p.bv3.backup", kStart + " copia del usuario", old, false},
      {".p.bv3.Ab3xY9", kStart + " completo", old, false},  // not our mark
      {".otro.bv3.~bvsave~Ab3xY9", kStart + " completo", old, false},
  };
  for (const auto& c : cases) MakeOld(dir / c.name, c.content, c.age);
  // A link to one of ours, or a second name of it, is the user's doing.
  MakeOld(dir / "destino", kStart, old);
  fs::create_symlink("destino", dir / ".p.bv3.~bvsave~Sy1mLk");
  fs::create_hard_link(dir / "destino", dir / ".p.bv3.~bvsave~Ha2rDl");

  Save(profile, kStart);
  for (const auto& c : cases) EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
  EXPECT_TRUE(fs::is_symlink(dir / ".p.bv3.~bvsave~Sy1mLk"));
  EXPECT_TRUE(fs::exists(dir / ".p.bv3.~bvsave~Ha2rDl"));
  EXPECT_EQ(test::ReadFile(dir / ".p.bv3.backup"), kStart + " copia del usuario");
}

TEST(Leftovers, AFileWithoutKnownBeginningNeverHasItsLeftoversRemoved) {
  test::ScratchFolder dir;
  MakeOld(dir / ".p.txt.~bvsave~Ab3xY9", kStart, std::chrono::seconds(120));
  Save(dir / "p.txt", "");
  EXPECT_TRUE(fs::exists(dir / ".p.txt.~bvsave~Ab3xY9"));
}

}  // namespace
}  // namespace bv
