#pragma once
// Writing a profile file: the header, then every node of the tree in pre-order with its depth
// as Level, every text enciphered with the session password.
//
// The new file replaces the old one whole (FileReplacement.h): it is written beside it,
// flushed to disk, read back and checked to decipher to the tree in memory, and only then
// renamed over the old file. Any failure throws EInOutError, removes the new file and leaves
// the old one byte for byte as it was.

#include <filesystem>
#include <string_view>

#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace bv {

// header.Magic is ignored: the file always gets "Brindlevault_3". Bytes 178 to 1891 of an
// existing file are kept as they were (zeros in a new file); every other byte that carries no
// meaning is zero. markerText is enciphered into every record's Marker.
void WriteProfile(const std::filesystem::path& path, const TProfileHeader& header,
                  const ProfileTree& tree, std::string_view password, std::string_view markerText);

}  // namespace bv
