#pragma once
// The whole profile as CSV (UTF-8 without byte order mark, CsvFormat.h, columns of
// CsvColumns.h): a header, then one row per account in tree order, its Group the path of
// its parents (GroupPath.h). A category or group with a description, or one that holds
// nothing, gets a row of its own, so that reading the file back rebuilds the same tree.
// Pictures and the profile's owner and title have no place in it.

#include <filesystem>
#include <string>

#include "profile/ProfileTree.h"

namespace bv {

std::string ProfileCsv(const ProfileTree& tree);

// Writes ProfileCsv(tree) to path, replacing a file there whole (FileReplacement.h); a new
// file is readable by its owner only. Throws EInOutError.
void WriteProfileCsv(const std::filesystem::path& path, const ProfileTree& tree);

}  // namespace bv
