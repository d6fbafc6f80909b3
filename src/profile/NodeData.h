#pragma once
// The in-memory records of a profile: one TNodeData per tree node and the profile header.
// Every text is a Windows-1252 byte string.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bv {

enum class NodeKind {
  Category,
  Group,
  Account
};

struct TNodeData {
  std::string Name;         // at most 120
  std::string UserName;     // at most 160
  std::string Password;     // at most 160
  std::string Question;     // at most 160
  std::string Answer;       // at most 160
  std::string Mail;         // at most 160
  std::string Url;          // at most 200
  std::string AccountType;  // at most 120
  std::string Description;  // at most 255
  std::string Notes;        // at most 255
  std::uint8_t IsAccount = 0;
  std::uint8_t IsCategory = 0;
  std::int32_t ImageIndex = 0;

  static TNodeData Create(NodeKind kind, std::int32_t imageIndex);

  [[nodiscard]] NodeKind Kind() const;
  [[nodiscard]] bool IsGroup() const { return IsAccount == 0 && IsCategory == 0; }

  friend bool operator==(const TNodeData&, const TNodeData&) = default;
};

// The text fields in record order, with their in-memory maximum (which is also the capacity
// of the enciphered field in the file) and the longest plain value that survives a save and
// a load once enciphered.
struct TextFieldInfo {
  const char* name;
  std::string TNodeData::*member;
  std::size_t maxLength;
  std::size_t survivingLength;
  bool accountOnly;
};
inline constexpr TextFieldInfo kTextFields[] = {
    {"Name", &TNodeData::Name, 120, 87, false},
    {"UserName", &TNodeData::UserName, 160, 117, true},
    {"Password", &TNodeData::Password, 160, 117, true},
    {"Question", &TNodeData::Question, 160, 117, true},
    {"Answer", &TNodeData::Answer, 160, 117, true},
    {"Mail", &TNodeData::Mail, 160, 117, true},
    {"Url", &TNodeData::Url, 200, 147, true},
    {"AccountType", &TNodeData::AccountType, 120, 87, true},
    {"Description", &TNodeData::Description, 255, 186, false},
    {"Notes", &TNodeData::Notes, 255, 186, true},
};

// Overwrites every text field, whole capacity included, and empties it: a node's decrypted
// values are wiped before its memory goes back to the allocator.
void WipeNodeData(TNodeData& data);

// Stores value cut to maxLength: longer values are cut, never refused.
void StoreText(std::string& field, std::string_view value, std::size_t maxLength);

struct TProfileHeader {
  static constexpr std::string_view kMagic = "Brindlevault_3";
  static constexpr std::size_t kMagicMax = 14;
  static constexpr std::size_t kOwnerMax = 50;
  static constexpr std::size_t kTitleMax = 50;
  static constexpr std::size_t kVerifierMax = 60;

  std::string Magic;
  std::string Owner;
  std::string Title;
  std::string Verifier;
};

}  // namespace bv
