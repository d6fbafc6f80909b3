#pragma once
// Export of a whole profile as a KDBX 4.0 file, the database format of KeePass, KeePassXC and
// their mobile peers.
//
// Every node arrives: a category or group becomes a group (its description the group's
// notes), an account an entry (Title, UserName, Password, URL, Notes and the custom fields
// "Description", "Question", "Answer", "E-mail" and "Account type"; Password and Answer are
// protected), a node's picture a custom icon. An account that holds nodes becomes its entry
// followed by a group of the same name that holds them. Texts are written as UTF-8 with LF
// line ends.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace bv {

struct KdbxKeySettings {
  std::uint64_t memoryBytes = 64ull << 20;  // Argon2id memory, a whole number of KiB
  std::uint32_t parallelism = 2;
  std::uint64_t iterations = 0;  // 0: calibrated on this machine to about one second, at least 2
};

// Writes the whole profile (owner and title into the database name and description, every
// node) as a KDBX 4.0 file at path, readable by its owner only; an existing file is replaced
// whole only once the new one is complete. passwordUtf8 must not be empty
// (std::invalid_argument, as for key settings Argon2id cannot use).
// Throws EInOutError (files/InOutError.h) on file failures.
void WriteKdbxFile(const std::filesystem::path& path, const TProfileHeader& header,
                   const ProfileTree& tree, std::string_view passwordUtf8,
                   const KdbxKeySettings& key = {});

}  // namespace bv
