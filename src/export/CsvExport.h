#pragma once
// The whole profile as CSV (UTF-8 without byte order mark, CsvFormat.h, columns of
// CsvColumns.h): a header, then one row per account in tree order, its Group the path of
// its parents (GroupPath.h). Pictures and the profile's owner and title have no place in it.
//
// Other password managers take every row for an entry, so the plain form has account rows
// only. The full form adds a row of its own for a category or group with a description, or
// one that holds nothing, so that this program reads the file back into the same tree.

#include <filesystem>
#include <string>

#include "profile/ProfileTree.h"

namespace bv {

enum class CsvRows {
  Accounts,
  FullTree
};

std::string ProfileCsv(const ProfileTree& tree, CsvRows rows);

// Writes ProfileCsv(tree, rows) to path, replacing a file there whole (FileReplacement.h); a new
// file is readable by its owner only. Throws EInOutError.
void WriteProfileCsv(const std::filesystem::path& path, const ProfileTree& tree, CsvRows rows);

}  // namespace bv
