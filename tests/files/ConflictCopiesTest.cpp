// Conflict copies of a profile: each tool's names, and the near misses that belong to
// another file or are no conflict copy at all.
#include <gtest/gtest.h>

#include "files/ConflictCopies.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

struct Name {
  const char* file;
  const char* candidate;
  std::optional<SyncTool> tool;  // nothing: not a conflict copy of file
};

class ConflictCopyNameTest : public testing::TestWithParam<Name> {};

TEST_P(ConflictCopyNameTest, TellsTheToolOrNothing) {
  EXPECT_EQ(ConflictCopyTool(GetParam().file, GetParam().candidate), GetParam().tool)
      << GetParam().file << " / " << GetParam().candidate;
}

constexpr auto kNone = std::nullopt;
INSTANTIATE_TEST_SUITE_P(
    Names, ConflictCopyNameTest,
    testing::Values(
        Name{"p.bv3", "p.sync-conflict-20261209-120000-ABCDEFG.bv3", SyncTool::Syncthing},
        Name{"Mis cuentas.bv3", "Mis cuentas.sync-conflict-20261209-120000-Q7Z2K4M.bv3",
             SyncTool::Syncthing},
        Name{"p", "p.sync-conflict-20261209-120000-ABCDEFG", SyncTool::Syncthing},
        Name{"p.bv3", "p (conflicted copy 2026-12-09 120000).bv3", SyncTool::Nextcloud},
        Name{"p.bv3", "p (conflicted copy ana 2026-12-09 120000).bv3", SyncTool::Nextcloud},
        Name{"p.bv3", "p (Someone's conflicted copy 2026-12-09).bv3", SyncTool::Dropbox},
        Name{"p.bv3", "p (Ana P\xC3\xA9rez's conflicted copy 2026-12-09 (2)).bv3",
             SyncTool::Dropbox},
        Name{"p.bv3", "p (SFConflict ana@example.com 2026-12-09-12-00-00).bv3", SyncTool::Seafile},
        Name{"perfil.v2.bv3", "perfil.v2 (conflicted copy 2026-12-09 120000).bv3",
             SyncTool::Nextcloud},
        // near misses
        Name{"p.bv3", "p.bv3", kNone},
        Name{"p.bv3", "q.sync-conflict-20261209-120000-ABCDEFG.bv3", kNone},
        Name{"p.bv3", "pp.sync-conflict-20261209-120000-ABCDEFG.bv3", kNone},
        Name{"p.bv3", "pp (conflicted copy 2026-12-09 120000).bv3", kNone},
        Name{"p.bv3", "p.sync-conflict-20261209-120000-ABCDEFG.txt", kNone},
        Name{"p.bv3", "p.sync-conflict-20261209-120000-ABCDEFG.BV3", kNone},
        Name{"p.bv3", "p (conflicted copy 2026-12-09 120000).bv3.bak", kNone},
        Name{"p.bv3", "P.sync-conflict-20261209-120000-ABCDEFG.bv3", kNone},
        Name{"p.bv3", "p.sync-conflict-2026129-120000-ABCDEFG.bv3", kNone},
        Name{"p.bv3", "p.sync-conflict-20261209-120000-.bv3", kNone},
        Name{"p.bv3", "p.sync-conflict-20261209-120000-abc.bv3", kNone},
        Name{"p.bv3", "p (conflicted copy).bv3", kNone},
        Name{"p.bv3", "p (conflicted copy 2026-12-9).bv3", kNone},
        Name{"p.bv3", "p (conflicted copy 2026-12-09 12:00).bv3", kNone},
        Name{"p.bv3", "p (Someone'sconflicted copy 2026-12-09).bv3", kNone},
        Name{"p.bv3", "p (copy 2026-12-09).bv3", kNone},
        Name{"p.bv3", "p (SFConflict ).bv3", kNone}, Name{"p.bv3", "p (1).bv3", kNone},
        Name{"p.bv3", ".p.bv3.backup", kNone},
        Name{"p.bv3", "p (conflicted copy 2026-12-09 120000)", kNone}));

TEST(ConflictCopiesOf, ListsOnlyTheFilesOfThatProfileInNameOrder) {
  test::ScratchFolder folder;
  for (const char* name :
       {"p.bv3", "p.sync-conflict-20261209-120000-ABCDEFG.bv3",
        "p (Someone's conflicted copy 2026-12-09).bv3", "q (conflicted copy 2026-12-09 120000).bv3",
        "pp.sync-conflict-20261209-120000-ABCDEFG.bv3", "p.sync-conflict-20261209-120000-ABC.txt"})
    test::WriteFile(folder / name, "x");
  std::filesystem::create_directory(folder / "p (conflicted copy 2026-12-09 120000).bv3");
  std::filesystem::create_symlink(folder / "p.bv3",
                                  folder / "p (SFConflict ana 2026-12-09-12-00-00).bv3");

  EXPECT_EQ(
      ConflictCopiesOf(folder / "p.bv3"),
      (std::vector<std::filesystem::path>{folder / "p (SFConflict ana 2026-12-09-12-00-00).bv3",
                                          folder / "p (Someone's conflicted copy 2026-12-09).bv3",
                                          folder / "p.sync-conflict-20261209-120000-ABCDEFG.bv3"}));
  EXPECT_TRUE(ConflictCopiesOf(folder / "missing" / "p.bv3").empty());
}

}  // namespace
}  // namespace bv
