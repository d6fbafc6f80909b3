#pragma once
// A tree of categories, groups and accounts from CSV (UTF-8; CsvFormat.h), read by the
// names in its header, compared without regard to case and in any order:
//   - this program's own columns (CsvColumns.h, Group paths as GroupPath.h describes);
//   - KeePassXC's: Group, Title, Username, Password, URL, Notes, with TOTP, Icon,
//     Last Modified and Created ignored. Its paths begin with the root group, which is left
//     out when the file has any of those four columns;
//   - Bitwarden's: folder, name, notes, login_uri, login_username, login_password; its custom
//     fields go into the description; favorite, type, reprompt and login_totp are ignored,
//     and every row becomes an account, whatever its type.
// Other columns are ignored. The first name of a path is a category, the others groups;
// rows without a path go into the category "Importado". Nodes of the same kind and name
// under the same parent are one node.

#include <stdexcept>
#include <string>
#include <string_view>

#include "profile/ProfileTree.h"

namespace bv {

inline constexpr const char* kImportedCategoryName = "Importado";

class ECsvImportError : public std::runtime_error {
 public:
  enum class Reason { Malformed, TooLong, NotCp1252 };
  ECsvImportError(Reason reason, const std::string& what)
      : std::runtime_error(what), reason_(reason) {}
  Reason reason() const { return reason_; }

 private:
  Reason reason_;
};

// Reads the whole text or nothing: the first fault throws ECsvImportError, naming the line
// of malformed CSV, or the row, the column and the reason of a value that does not fit
// (a character without a Windows-1252 form, or longer than its field keeps readable).
ProfileTree ReadProfileCsv(std::string_view text);

}  // namespace bv
