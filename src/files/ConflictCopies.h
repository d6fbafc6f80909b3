#pragma once
// Conflict copies that file synchronisation tools leave beside a file when two computers
// changed it at once. For a profile "NAME.EXT" they are:
//   Syncthing          NAME.sync-conflict-YYYYMMDD-HHMMSS-DEVICE.EXT
//   Nextcloud/ownCloud NAME (conflicted copy YYYY-MM-DD HHMMSS).EXT, a user's name may
//                      stand before the date
//   Dropbox            NAME (OWNER's conflicted copy YYYY-MM-DD).EXT, also with " (N)"
//                      after the date when that name was taken
//   Seafile            NAME (SFConflict USER DATE).EXT
// Names are compared exactly, case included, as the file system does.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace bv {

enum class SyncTool {
  Syncthing,
  Nextcloud,
  Dropbox,
  Seafile
};

// The tool whose conflict copy of the file named fileName the name candidate is; nothing
// for any other name (the file itself, another file's copy, another extension).
[[nodiscard]] std::optional<SyncTool> ConflictCopyTool(std::string_view fileName,
                                                       std::string_view candidate);

// The conflict copies of file in its folder (regular files, links to them included), in
// the order of their names; none when the folder cannot be read.
[[nodiscard]] std::vector<std::filesystem::path> ConflictCopiesOf(
    const std::filesystem::path& file);

}  // namespace bv
