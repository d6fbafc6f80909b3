// The facts gathered for the summary page from the profile file and the tree.

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "PageText.h"
#include "support/ScratchFolder.h"

namespace bv {
namespace {

namespace fs = std::filesystem;

using test::ScratchFolder;

fs::path WriteFile(const fs::path& path, std::size_t bytes) {
  std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
  return path;
}

TEST(SizeInKb, CountsWholeKilobytes) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0 Kb"},    {1023, "0 Kb"}, {1024, "1 Kb"},
      {2047, "1 Kb"}, {2048, "2 Kb"}, {5'000'000'000ull, "4882812 Kb"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeInKb(bytes), text) << bytes;
}

TEST(ComputeSummary, TakesNameSizeTimeAndCountsOfTheProfile) {
  ScratchFolder dir;
  const fs::path file = WriteFile(dir.path() / "mis cuentas.bv3", 2047);
  const timespec times[2] = {{1'234'567'890, 0}, {1'234'567'890, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);

  ProfileTree tree;
  TreeNode* cat = tree.Append(nullptr, TNodeData::Create(NodeKind::Category, 0));
  TreeNode* group = tree.Append(cat, TNodeData::Create(NodeKind::Group, 1));
  tree.Append(group, TNodeData::Create(NodeKind::Account, 2));
  tree.Append(cat, TNodeData::Create(NodeKind::Account, 2));
  tree.Append(nullptr, TNodeData::Create(NodeKind::Account, 2));
  TProfileHeader header{"Brindlevault_3", "Ana", "Casa", "verifier"};

  const SummaryInfo info = ComputeSummary(file, header, tree);
  EXPECT_EQ(info.FileName, "mis cuentas.bv3");
  EXPECT_EQ(info.SizeBytes, 2047u);
  EXPECT_EQ(info.Accounts, 3u);
  EXPECT_EQ(info.Others, 2u);
  EXPECT_EQ(std::chrono::system_clock::to_time_t(info.Modified), 1'234'567'890);
  EXPECT_EQ(info.Owner, "Ana");
  EXPECT_EQ(info.Title, "Casa");
  EXPECT_EQ(info.Magic, "Brindlevault_3");

  const auto lines = test::Lines(BuildSummaryPage(info, test::FixedMessages()));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "*L {12}M98 {11}1 Kb"), lines.end());
}

TEST(ComputeSummary, FileThatCannotBeOpenedIsReportedWithItsRunTimeText) {
  ScratchFolder dir;
  const fs::path plain = WriteFile(dir.path() / "plain", 10);
  const std::pair<fs::path, std::string> cases[] = {
      {dir.path() / "missing.bv3", "Archivo no encontrado"},
      {plain / "below-a-file.bv3", "Nombre de Archivo inv\xE1lido"},
      {dir.path(), "Acceso al archivo denegado"},
  };
  ProfileTree tree;
  for (const auto& [path, text] : cases) {
    try {
      ComputeSummary(path, TProfileHeader{}, tree);
      ADD_FAILURE() << "no error for " << path;
    } catch (const ESummaryFileError& e) {
      EXPECT_EQ(std::string(e.what()), text) << path;
    }
  }
}

}  // namespace
}  // namespace bv
