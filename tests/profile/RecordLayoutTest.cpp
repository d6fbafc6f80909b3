// The bytes of the header and of a node record, and telling a profile from other files.
#include <gtest/gtest.h>

#include <array>

#include "profile/RecordLayout.h"
#include "support/ProfileFixtures.h"

namespace bv {
namespace {

using test::Bytes;
using test::TextAt;

TEST(RecordLayout, NodeRecordFieldsSitAtTheirOffsets) {
  TNodeRecord record;
  for (std::size_t k = 0; k < std::size(kRecordTextSlots); ++k)
    record.*kRecordTextSlots[k].member = std::string(k + 1, static_cast<char>('A' + k));
  record.IsAccount = 1;
  record.IsCategory = 0;
  record.ImageIndex = 0x01020304;
  record.Level = -2;
  Bytes bytes(kRecordSize, 0xEE);
  EncodeNodeRecord(record, MutableRecordBytes(bytes.data(), kRecordSize));

  const std::size_t offsets[] = {0, 121, 242, 403, 564, 725, 886, 1047, 1248, 1369, 1625};
  for (std::size_t k = 0; k < std::size(offsets); ++k) {
    SCOPED_TRACE(kRecordTextSlots[k].name);
    EXPECT_EQ(TextAt(bytes, offsets[k]), std::string(k + 1, static_cast<char>('A' + k)));
    EXPECT_EQ(bytes[offsets[k] + 1 + k + 1], 0);  // first unused byte of the field
  }
  EXPECT_EQ(bytes[1881], 1);
  EXPECT_EQ(bytes[1882], 0);
  EXPECT_EQ(bytes[1883], 0);  // padding
  EXPECT_EQ((Bytes{bytes.begin() + 1884, bytes.begin() + 1888}), (Bytes{4, 3, 2, 1}));
  EXPECT_EQ((Bytes{bytes.begin() + 1888, bytes.end()}), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));

  TNodeRecord back;
  back.Notes = "left over from an earlier record";
  DecodeNodeRecord(RecordBytes(bytes.data(), kRecordSize), back);
  for (const auto& slot : kRecordTextSlots) EXPECT_EQ(back.*slot.member, record.*slot.member);
  EXPECT_EQ(back.IsAccount, 1);
  EXPECT_EQ(back.ImageIndex, 0x01020304);
  EXPECT_EQ(back.Level, -2);
}

TEST(RecordLayout, TextsAreCutToTheirFieldAndLengthBytesToTheirCapacity) {
  TNodeRecord record;
  record.Name = std::string(200, 'n');
  record.Notes = std::string(300, 'z');
  Bytes bytes(kRecordSize);
  EncodeNodeRecord(record, MutableRecordBytes(bytes.data(), kRecordSize));
  EXPECT_EQ(bytes[121], 120);
  EXPECT_EQ(bytes[242], 0);  // Name did not spill into UserName
  EXPECT_EQ(bytes[1625], 255);

  // A damaged length byte never reads into the next field.
  bytes[121] = 250;
  TNodeRecord back;
  DecodeNodeRecord(RecordBytes(bytes.data(), kRecordSize), back);
  EXPECT_EQ(back.Name, std::string(120, 'n'));
}

struct MagicCase {
  const char* label;
  std::string firstBytes;
  HeaderKind kind;
  std::string edition;
};

class HeaderKindTest : public testing::TestWithParam<MagicCase> {};

TEST_P(HeaderKindTest, FirstBytesTellTheKind) {
  Bytes bytes(kHeaderSize, 0);
  std::copy(GetParam().firstBytes.begin(), GetParam().firstBytes.end(), bytes.begin());
  const HeaderBytes header(bytes.data(), kHeaderSize);
  EXPECT_EQ(ClassifyHeader(header), GetParam().kind);
  EXPECT_EQ(OtherEditionName(DecodeHeader(header)), GetParam().edition);
}

INSTANTIATE_TEST_SUITE_P(RecordLayout, HeaderKindTest,
                         testing::Values(MagicCase{"Profile",
                                                   "\x0E"
                                                   "Brindlevault_3",
                                                   HeaderKind::Profile, "ult_3"},
                                         MagicCase{"LengthByteWrong",
                                                   "\x0D"
                                                   "Brindlevault_3",
                                                   HeaderKind::NotProfile, "ult_"},
                                         MagicCase{"LengthByteTooLarge",
                                                   "\x0F"
                                                   "Brindlevault_3",
                                                   HeaderKind::NotProfile, "ult_3"},
                                         MagicCase{"OneLetterWrong",
                                                   "\x0E"
                                                   "Brindlevault_2",
                                                   HeaderKind::NotProfile, "ult_2"},
                                         MagicCase{"OtherEdition",
                                                   "\x0E"
                                                   "BVProfile_2.50",
                                                   HeaderKind::OtherEdition, "_2.50"},
                                         MagicCase{"ShortOtherEdition",
                                                   "\x0B"
                                                   "BVProfile_2",
                                                   HeaderKind::OtherEdition, "_2"},
                                         MagicCase{"BareOtherEdition",
                                                   "\x05"
                                                   "BVPro",
                                                   HeaderKind::OtherEdition, ""},
                                         MagicCase{"LowerCase",
                                                   "\x05"
                                                   "bvpro",
                                                   HeaderKind::NotProfile, ""},
                                         MagicCase{"Zeros", std::string(15, '\0'),
                                                   HeaderKind::NotProfile, ""}),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace bv
