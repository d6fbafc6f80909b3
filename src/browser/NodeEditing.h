#pragma once
// What the category, group and account dialogs decide without a window: the pictures and
// account types they offer, the limits of their boxes, the checks made by Aceptar, the node
// data they create or change, and the texts of their captions and questions.
// Every text is Windows-1252 bytes.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "browser/DetailPage.h"
#include "profile/NodeData.h"

namespace bv {

// The names of the 26 node pictures, in list order: the position is the ImageIndex.
// They are never translated.
std::span<const char* const> NodePictureNames();
// The built-in texts of the account type box; the language file replaces them.
std::span<const char* const> AccountTypeTexts();

inline constexpr int kNewCategoryPicture = 24;  // "General 2", also for new groups
inline constexpr int kNewAccountPicture = 17;   // "Sesión de Inicio"
inline constexpr std::size_t kMinNameLength = 4;

// How many characters the user may type into each box. A value put in by the program
// (a stored text, a generated password) may be longer.
namespace box_limit {
inline constexpr int kGroupName = 30;
inline constexpr int kGroupDescription = 170;
inline constexpr int kAccountName = 30;
inline constexpr int kUserName = 90;
inline constexpr int kPassword = 90;
inline constexpr int kUrl = 60;
inline constexpr int kQuestion = 90;
inline constexpr int kAnswer = 90;
inline constexpr int kMail = 90;
inline constexpr int kDescription = 170;
inline constexpr int kNotes = 170;
// The longest account type that still reads back after a save (the field's slot in the
// file holds no more once enciphered).
inline constexpr int kAccountType = 87;
}  // namespace box_limit

// The boxes of the category and group dialogs.
struct GroupValues {
  std::string Name;
  std::string Description;
  int ImageIndex = -1;  // -1: no picture chosen
  friend bool operator==(const GroupValues&, const GroupValues&) = default;
};

// The boxes of the account dialogs. Multi-line texts carry CR LF line breaks.
struct AccountValues {
  std::string Name, UserName, Password, Url, Question, Answer, Mail;
  std::string Description, Notes, AccountType;
  int ImageIndex = -1;
  friend bool operator==(const AccountValues&, const AccountValues&) = default;
};

// --- the checks of Aceptar: the message of the refusal, nothing when accepted

// A new category (message 44) or group (message 45) needs a name of 4 characters.
[[nodiscard]] std::optional<int> NewGroupRefusal(NodeKind kind, std::string_view name);

enum class AccountBox {
  Name,
  Picture
};  // where the focus goes after a refusal
struct AccountRefusal {
  int message;  // 42: name too short, 43: no picture
  AccountBox box;
};
[[nodiscard]] std::optional<AccountRefusal> CheckAccount(const AccountValues& values);

// --- node data, every text cut to its field's maximum

TNodeData MakeCategory(const GroupValues& values);
TNodeData MakeGroup(const GroupValues& values);
// Name, description and picture; the kind stays.
void ApplyGroupValues(TNodeData& node, const GroupValues& values);
GroupValues GroupValuesOf(const TNodeData& node);

TNodeData MakeAccount(const AccountValues& values);
// Every field of the dialog; the node becomes (or stays) an account.
void ApplyAccountValues(TNodeData& node, const AccountValues& values);
AccountValues AccountValuesOf(const TNodeData& node);

// --- texts

// Message 16, a blank and the receiving category or group.
std::string NewAccountCaption(std::string_view groupName, const MessageFn& message);
// Editar la cuenta "account" en "group": message 17, the account, message 18, the category
// or group that holds it, and a closing quote.
std::string EditAccountCaption(std::string_view accountName, std::string_view groupName,
                               const MessageFn& message);
// Messages 34 and 35 on two lines.
std::string DeleteAccountQuestion(const MessageFn& message);
// Messages 12, 13 and 14 joined by blanks, and message 15 on a line of its own.
std::string DeleteGroupQuestion(const MessageFn& message);

}  // namespace bv
