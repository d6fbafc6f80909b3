// The bytes a save writes, checked against the record layout and the per-field cipher.
#include <gtest/gtest.h>

#include "crypto/FieldCipher.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileWriter.h"
#include "profile/ProfileWriter.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

using test::Bytes;
using test::ScratchFolder;
using test::TextAt;

constexpr const char* kPassword = "Zz9-\xF1";
constexpr const char* kMarker = "Perfil de Brindlevault";

class FileFormatTest : public testing::Test {
 protected:
  void SetUp() override {
    header = test::SampleHeader(kPassword);
    test::FillSampleTree(tree);
  }
  std::filesystem::path Save(const std::string& name, std::string_view marker = kMarker) {
    const auto path = dir / name;
    WriteProfile(path, header, tree, kPassword, marker);
    return path;
  }

  ScratchFolder dir;
  TProfileHeader header;
  ProfileTree tree;
};

// The record one node should have, enciphered field by field with a fresh cipher each time.
Bytes ExpectedRecord(const TNodeData& data, int depth, std::string_view marker) {
  TNodeRecord record;
  record.Marker = EncipherField(marker, kPassword);
  record.Name = EncipherField(data.Name, kPassword);
  record.Description = EncipherField(data.Description, kPassword);
  if (data.IsAccount) {
    record.UserName = EncipherField(data.UserName, kPassword);
    record.Password = EncipherField(data.Password, kPassword);
    record.Question = EncipherField(data.Question, kPassword);
    record.Answer = EncipherField(data.Answer, kPassword);
    record.Mail = EncipherField(data.Mail, kPassword);
    record.Url = EncipherField(data.Url, kPassword);
    record.AccountType = EncipherField(data.AccountType, kPassword);
    record.Notes = EncipherField(data.Notes, kPassword);
  }
  record.IsAccount = data.IsAccount;
  record.IsCategory = data.IsCategory;
  record.ImageIndex = data.ImageIndex;
  record.Level = depth;
  Bytes bytes(kRecordSize);
  EncodeNodeRecord(record, MutableRecordBytes(bytes.data(), kRecordSize));
  return bytes;
}

Bytes RecordOf(const Bytes& file, std::size_t k) {
  return Bytes(file.begin() + static_cast<std::ptrdiff_t>(k * kRecordSize),
               file.begin() + static_cast<std::ptrdiff_t>((k + 1) * kRecordSize));
}

TEST_F(FileFormatTest, FileHoldsOneRecordPerNodeAfterTheHeaderRecord) {
  for (std::size_t nodes : {0u, 1u, 9u}) {
    ProfileTree sized;
    for (std::size_t k = 0; k < nodes; ++k) sized.Append(nullptr, test::SampleAccount("c"));
    const auto path = dir / ("n" + std::to_string(nodes));
    WriteProfile(path, header, sized, kPassword, kMarker);
    EXPECT_EQ(std::filesystem::file_size(path), kRecordSize * (nodes + 1));
  }
}

TEST_F(FileFormatTest, HeaderBytesAreExact) {
  const Bytes file = test::ReadBytes(Save("p.bv3"));
  ASSERT_EQ(file.size(), kRecordSize * 9);
  Bytes expected(kRecordSize, 0);
  const std::string verifier = EncipherField(kPassword, kPassword);
  auto put = [&](std::size_t offset, const std::string& text) {
    expected[offset] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), expected.begin() + static_cast<std::ptrdiff_t>(offset) + 1);
  };
  put(0, "Brindlevault_3");
  put(15, "Jos\xE9 P\xE9rez");
  put(66, "Perfil de prueba");
  put(117, verifier);
  EXPECT_EQ(RecordOf(file, 0), expected);  // bytes 178 to 1891 of a new file are zeros
  EXPECT_EQ(verifier.size(), 9u);          // 5 bytes enciphered
}

TEST_F(FileFormatTest, NodeRecordsMatchThePerFieldCipherInPreOrder) {
  const Bytes file = test::ReadBytes(Save("p.bv3"));
  std::size_t k = 1;
  tree.ForEachPreOrder([&](const TreeNode& node, int depth) {
    SCOPED_TRACE(node.data.Name);
    EXPECT_EQ(RecordOf(file, k++), ExpectedRecord(node.data, depth, kMarker));
  });
  const Bytes second = RecordOf(file, 2);  // Trabajo: a group at depth 1, picture 12
  EXPECT_EQ(second[1881], 0);
  EXPECT_EQ(second[1882], 0);
  EXPECT_EQ((Bytes{second.begin() + 1884, second.end()}), (Bytes{12, 0, 0, 0, 1, 0, 0, 0}));
}

TEST_F(FileFormatTest, TwoSavesOfTheSameTreeAreIdentical) {
  EXPECT_EQ(test::ReadBytes(Save("a.bv3")), test::ReadBytes(Save("b.bv3")));
}

TEST_F(FileFormatTest, TheMarkerTextChangesOnlyMarkerBytes) {
  const Bytes before = test::ReadBytes(Save("a.bv3", "Marca"));
  const Bytes after = test::ReadBytes(Save("b.bv3", "Una marca bastante m\xE1s larga"));
  ASSERT_EQ(before.size(), after.size());
  std::size_t changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    ++changed;
    EXPECT_GE(i, kRecordSize) << "byte " << i;
    EXPECT_LE(i % kRecordSize, 120u) << "byte " << i;
  }
  EXPECT_GT(changed, 8u * 30);
}

TEST_F(FileFormatTest, SavingOverAFileKeepsItsUnusedHeaderBytes) {
  Bytes old(kRecordSize * 5, 0);
  for (std::size_t i = 0; i < old.size(); ++i) old[i] = static_cast<std::uint8_t>(i * 7 + 1);
  const auto path = dir / "viejo.bv3";
  test::WriteBytes(path, old);
  WriteProfile(path, header, tree, kPassword, kMarker);
  const Bytes file = test::ReadBytes(path);
  ASSERT_EQ(file.size(), kRecordSize * 9);
  EXPECT_TRUE(
      std::equal(old.begin() + kHeaderSize, old.begin() + kRecordSize, file.begin() + kHeaderSize));
  EXPECT_EQ(TextAt(file, 0), "Brindlevault_3");

  // A file shorter than one record keeps what it had; the rest of record 0 is zeros.
  test::WriteBytes(path, Bytes(old.begin(), old.begin() + 300));
  WriteProfile(path, header, tree, kPassword, kMarker);
  const Bytes shortOld = test::ReadBytes(path);
  EXPECT_TRUE(
      std::equal(old.begin() + kHeaderSize, old.begin() + 300, shortOld.begin() + kHeaderSize));
  EXPECT_TRUE(std::all_of(shortOld.begin() + 300, shortOld.begin() + kRecordSize,
                          [](std::uint8_t b) { return b == 0; }));
}

TEST_F(FileFormatTest, SavingOverALongerFileLeavesExactlyTheNewRecords) {
  const auto path = dir / "p.bv3";
  test::WriteBytes(path, Bytes(kRecordSize * 40 + 17, 0x55));
  WriteProfile(path, header, tree, kPassword, kMarker);
  EXPECT_EQ(std::filesystem::file_size(path), kRecordSize * 9);
}

TEST_F(FileFormatTest, HeaderTextsAreCutToTheirFields) {
  header.Owner = std::string(80, 'o');
  header.Title = std::string(51, 't');
  const Bytes file = test::ReadBytes(Save("p.bv3"));
  EXPECT_EQ(TextAt(file, 15), std::string(50, 'o'));
  EXPECT_EQ(TextAt(file, 66), std::string(50, 't'));
}

}  // namespace
}  // namespace bv
