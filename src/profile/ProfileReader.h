#pragma once
// Reading a profile file. Each call opens the file for reading only, does its work and
// closes it; failures throw EInOutError with the run-time text.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

#include "profile/ProfileTree.h"
#include "profile/RecordLayout.h"

namespace bv {

struct HeaderRead {
  TProfileHeader header;
  HeaderKind kind = HeaderKind::NotProfile;
};

// The first 178 bytes; a shorter file fails with "Lectura más allá del fin del archivo". A
// device, FIFO or socket is never read: it counts as NotProfile.
[[nodiscard]] HeaderRead ReadProfileHeader(const std::filesystem::path& path);

// Visits node records 1 to n-1 in file order without deciphering anything (n whole records;
// a trailing part of a record is ignored). Returns how many it visited.
std::size_t ForEachNodeRecord(const std::filesystem::path& path,
                              const std::function<void(const TNodeRecord&)>& visit);

// Deciphers every node record with password (one keyed cipher for the whole file) and
// appends the nodes to tree by their levels (see LevelTree.h). Returns how many records the
// file held. On a failure the nodes attached so far stay in the tree.
std::size_t LoadProfileNodes(const std::filesystem::path& path, std::string_view password,
                             ProfileTree& tree);

}  // namespace bv
