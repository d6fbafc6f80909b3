#pragma once
// The pages of the detail view as plain data: paragraphs of styled pieces, bullets, rules,
// centred lines and numbered links, built from a node, the profile header or the summary of
// the profile file, with texts of the active language. The view only renders what is here.
//
// Page texts are UTF-8: they mix Windows-1252 texts (messages, node fields, header) with the
// profile's file name, which may hold any character the file system allows.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/Product.h"
#include "files/InOutError.h"
#include "profile/NodeData.h"
#include "profile/ProfileTree.h"
#include "tools/OneTimeCode.h"

namespace bv {

// Text of message n in Windows-1252 (MessageText in the program, fixed texts in tests).
using MessageFn = std::function<std::string(int)>;

// Which page is shown; the numbers are those the main window stores.
enum class PageKind : int {
  EmptyProfile = 0,
  Welcome = 1,
  Account = 2,         // an account without URL
  AccountWithUrl = 3,  // the URL is link 0
  Group = 4,           // a category or a group
  Summary = 5,
};

// The copy commands an account page enables (ActCopUser ... ActCopURL).
enum class CopyField : unsigned {
  User = 1,
  Pass = 2,
  Preg = 4,
  Resp = 8,
  Mail = 16,
  URL = 32,
  Code = 64  // the current two-step code (ActCopCodigo)
};

class CopyFields {
 public:
  constexpr CopyFields() = default;
  constexpr CopyFields(std::initializer_list<CopyField> fields) {
    for (CopyField f : fields) Add(f);
  }
  constexpr void Add(CopyField f) { bits_ |= static_cast<unsigned>(f); }
  [[nodiscard]] constexpr bool Has(CopyField f) const {
    return (bits_ & static_cast<unsigned>(f)) != 0;
  }
  [[nodiscard]] constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const CopyFields&) const = default;

 private:
  unsigned bits_ = 0;
};

// Pictures 28 and 29 of the button list, drawn at the start of a paragraph.
enum class Bullet {
  None,
  Field,
  Link
};

struct PagePiece {
  std::string text;  // UTF-8
  int style = 0;     // index into kTextStyles
  int link = -1;     // link number, -1 for plain text
  // The summary's modification time: the view writes it in the desktop's locale, in place
  // of text.
  std::optional<std::chrono::system_clock::time_point> time;
  // The two-step code and its seconds left: the view writes it anew every second.
  bool liveCode = false;
};

struct PageParagraph {
  bool rule = false;  // a horizontal line, no pieces
  bool centred = false;
  Bullet bullet = Bullet::None;
  std::vector<PagePiece> pieces;
};

enum class LinkAction {
  None,
  OpenAddress,
  ExportHtml,
  ExportText,
  Edit
};

struct PageLink {
  LinkAction action = LinkAction::None;
  std::string address;  // UTF-8; what OpenAddress opens
  std::string hover;    // UTF-8; the status bar text while the mouse is over the link
};

struct DetailPage {
  PageKind kind = PageKind::Welcome;
  std::vector<PageParagraph> paragraphs;
  std::vector<PageLink> links;   // indexed by link number
  CopyFields copy;               // account pages: the commands of the rows drawn plainly
  std::optional<TotpSeed> seed;  // account pages with a two-step code: what it is made from
};

// What the summary page shows about the open profile.
struct SummaryInfo {
  std::string FileName;  // without its folder, as the file system spells it (UTF-8)
  std::uint64_t SizeBytes = 0;
  std::size_t Accounts = 0;
  std::size_t Others = 0;  // categories and groups
  std::chrono::system_clock::time_point Modified;
  std::string Owner, Title, Magic;  // from the header, Windows-1252
};

// The profile file could not be opened for the summary. Like every file failure, what() is
// the run-time text in Windows-1252 ("Archivo no encontrado", "Acceso al archivo denegado").
class ESummaryFileError : public EInOutError {
 public:
  explicit ESummaryFileError(const EInOutError& error) : EInOutError(error) {}
};

// Reads size and modification time of the profile file and counts the tree's nodes.
// Throws ESummaryFileError when the file cannot be opened for reading.
SummaryInfo ComputeSummary(const std::filesystem::path& path, const TProfileHeader& header,
                           const ProfileTree& tree);

// "1 Kb" for 1024..2047 bytes: the size in whole kilobytes.
std::string SizeInKb(std::uint64_t bytes);

DetailPage BuildWelcomePage(const MessageFn& message);
DetailPage BuildEmptyProfilePage(const TProfileHeader& header, const MessageFn& message);
DetailPage BuildSummaryPage(const SummaryInfo& info, const MessageFn& message);
// showHidden: the password and the answer are drawn in clear (MostrarPass or "Mostrar ocultos").
// The notes' seed line is never drawn: the two-step code it gives at now is, below the
// password.
DetailPage BuildAccountPage(
    const TNodeData& node, bool showHidden, const MessageFn& message,
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
// The code row's value (UTF-8): the code and the seconds it stays valid (message 401).
std::string TwoStepCodeText(const TotpSeed& seed, std::chrono::system_clock::time_point now,
                            const MessageFn& message);
DetailPage BuildGroupPage(const TNodeData& node, const MessageFn& message);

}  // namespace bv
