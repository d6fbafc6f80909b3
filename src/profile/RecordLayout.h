#pragma once
// The bytes of a profile file: record 0 holds the 178-byte header, records 1..n the nodes in
// pre-order, 1892 bytes each. Integers are little-endian; texts are length-prefixed (one
// length byte, then the characters), a field of capacity N taking N + 1 bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "profile/NodeData.h"

namespace bv {

inline constexpr std::size_t kHeaderSize = 178;
inline constexpr std::size_t kRecordSize = 1892;

using HeaderBytes = std::span<const std::uint8_t, kHeaderSize>;
using RecordBytes = std::span<const std::uint8_t, kRecordSize>;
using MutableRecordBytes = std::span<std::uint8_t, kRecordSize>;

// A node as the file holds it: every text enciphered, the depth stored as Level.
struct TNodeRecord {
  std::string Marker;  // enciphered text of message 106; readers ignore it
  std::string Name;
  std::string UserName;
  std::string Password;
  std::string Question;
  std::string Answer;
  std::string Mail;
  std::string Url;
  std::string AccountType;
  std::string Description;
  std::string Notes;
  std::uint8_t IsAccount = 0;
  std::uint8_t IsCategory = 0;
  std::int32_t ImageIndex = 0;
  std::int32_t Level = 0;
};

struct TextSlot {
  std::size_t offset;
  std::size_t capacity;
};

// Header fields.
inline constexpr TextSlot kMagicSlot{0, 14};
inline constexpr TextSlot kOwnerSlot{15, 50};
inline constexpr TextSlot kTitleSlot{66, 50};
inline constexpr TextSlot kVerifierSlot{117, 60};

// Node record text fields in file order; entries 1..10 match kTextFields of NodeData.h.
struct RecordTextSlot {
  const char* name;
  std::string TNodeRecord::*member;
  TextSlot slot;
};
inline constexpr RecordTextSlot kRecordTextSlots[] = {
    {"Marker", &TNodeRecord::Marker, {0, 120}},
    {"Name", &TNodeRecord::Name, {121, 120}},
    {"UserName", &TNodeRecord::UserName, {242, 160}},
    {"Password", &TNodeRecord::Password, {403, 160}},
    {"Question", &TNodeRecord::Question, {564, 160}},
    {"Answer", &TNodeRecord::Answer, {725, 160}},
    {"Mail", &TNodeRecord::Mail, {886, 160}},
    {"Url", &TNodeRecord::Url, {1047, 200}},
    {"AccountType", &TNodeRecord::AccountType, {1248, 120}},
    {"Description", &TNodeRecord::Description, {1369, 255}},
    {"Notes", &TNodeRecord::Notes, {1625, 255}},
};
inline constexpr std::size_t kIsAccountOffset = 1881;
inline constexpr std::size_t kIsCategoryOffset = 1882;  // 1883 is padding
inline constexpr std::size_t kImageIndexOffset = 1884;
inline constexpr std::size_t kLevelOffset = 1888;

// Writes every byte of the header; texts longer than their field are cut, unused bytes are 0.
// Magic is written as it stands in the header (the writer sets it first).
void EncodeHeader(const TProfileHeader& header, std::span<std::uint8_t, kHeaderSize> out);
[[nodiscard]] TProfileHeader DecodeHeader(HeaderBytes bytes);

// Writes every byte of the record; texts longer than their field are cut, unused bytes are 0.
void EncodeNodeRecord(const TNodeRecord& record, MutableRecordBytes out);
// Reuses out's strings, so one record buffer serves a whole load without allocations.
void DecodeNodeRecord(RecordBytes bytes, TNodeRecord& out);

// What the first bytes of a file say about it.
enum class HeaderKind {
  Profile,       // 0x0E followed by "Brindlevault_3"
  OtherEdition,  // a Magic text beginning with "BVPro"
  NotProfile,
};
[[nodiscard]] HeaderKind ClassifyHeader(HeaderBytes bytes);
// Characters 10 to 14 of the Magic text (the edition of a "BVPro" file), as many as it has.
[[nodiscard]] std::string OtherEditionName(const TProfileHeader& header);

}  // namespace bv
