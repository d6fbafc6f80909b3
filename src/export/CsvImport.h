#pragma once
// A tree of categories, groups and accounts from CSV (UTF-8; CsvFormat.h), read by the
// names in its header, compared without regard to case and in any order:
//   - this program's own columns (CsvColumns.h, Group paths as GroupPath.h describes);
//   - KeePassXC's: Group, Title, Username, Password, URL, Notes, TOTP, with Icon,
//     Last Modified and Created ignored. Its paths begin with the root group, which is left
//     out when the file has any of TOTP, Icon, Last Modified or Created and none of the
//     columns only ours has (Description to Account type);
//   - Bitwarden's: folder, name, notes, login_uri, login_username, login_password,
//     login_totp; its custom fields go into the description; favorite, type and reprompt are
//     ignored, and every row becomes an account, whatever its type.
// Other columns are ignored. A TOTP (or login_totp) value becomes the last line of the
// account's notes, kTotpNotesLabel followed by the value. Line ends become CR LF, as the
// dialogs write them, and count two characters towards a field's length. The first name of a path is a category, the others groups;
// rows without a path go into the category "Importado". Nodes of the same kind and name
// under the same parent are one node.

#include <stdexcept>
#include <string>
#include <string_view>

#include "profile/ProfileTree.h"
#include "tools/OneTimeCode.h"

namespace bv {

inline constexpr const char* kImportedCategoryName = "Importado";
inline constexpr const char* kTotpNotesLabel = kSeedLinePrefix.data();

class ECsvImportError : public std::runtime_error {
 public:
  enum class Reason {
    Malformed,
    TooLong,
    NotCp1252
  };
  ECsvImportError(Reason reason, const std::string& what)
      : std::runtime_error(what), reason_(reason) {}
  Reason reason() const { return reason_; }

 private:
  Reason reason_;
};

// Reads the whole text or nothing: the first fault throws ECsvImportError, naming the line
// of malformed CSV, or the row, the column and the reason of a value that does not fit
// (a character without a Windows-1252 form, or longer than its field keeps readable; a TOTP
// value whose line does not fit in the notes is refused naming its own column).
ProfileTree ReadProfileCsv(std::string_view text);

}  // namespace bv
