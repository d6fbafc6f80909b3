#pragma once
// The copies a save keeps of the version it replaces, and the conflict copies of sync tools
// once they have been combined into their profile. Both live in the user's data folder,
// $XDG_DATA_HOME/brindlevault (default ~/.local/share/brindlevault), in folders of their own
// that only their owner may enter (0700), every file readable by its owner only (0600):
//   backups/          NAME.HASH.YYYYMMDD-HHMMSS[-N].EXT for the profile NAME.EXT: HASH
//                     (12 hexadecimal digits) stands for the profile's full path, so that two
//                     "p.bv3" of different folders keep their copies apart; the time is local,
//                     N counts copies made within one second. The newest copies of each
//                     profile are kept, the older ones removed.
//   conflict-copies/  combined conflict copies, under their own names, never removed.
// Failures throw EInOutError; nothing is ever deleted outside these two folders. Either folder
// is refused (EUnsafeFolder) when it is a symbolic link (the copies would go wherever it
// points) or belongs to another user (who could read or replace them); one of the user's own
// that others may enter is closed to them (0700) before it is used.

#include <filesystem>
#include <string>
#include <vector>

#include "files/InOutError.h"

namespace bv {

class EUnsafeFolder : public EInOutError {
 public:
  enum class Reason {
    Link,
    OtherOwner
  };
  EUnsafeFolder(Reason reason, const std::filesystem::path& folder);
  [[nodiscard]] Reason reason() const { return reason_; }
  [[nodiscard]] const std::filesystem::path& folder() const { return folder_; }

 private:
  Reason reason_;
  std::filesystem::path folder_;
};

// $XDG_DATA_HOME/brindlevault when XDG_DATA_HOME is an absolute path, else
// $HOME/.local/share/brindlevault; empty when neither is known.
[[nodiscard]] std::filesystem::path UserDataFolder();

class BackupStore {
 public:
  // keep: how many copies of each profile are kept; 0 keeps none.
  BackupStore(const std::filesystem::path& dataFolder, int keep);
  // In UserDataFolder().
  [[nodiscard]] static BackupStore ForUser(int keep);

  [[nodiscard]] const std::filesystem::path& BackupFolder() const { return backups_; }
  [[nodiscard]] const std::filesystem::path& ConflictCopyFolder() const { return conflicts_; }
  [[nodiscard]] int Kept() const { return keep_; }

  // Copies the file at profile (through symbolic links) into the backup folder, then removes
  // that profile's oldest copies beyond the number kept. Returns the copy; empty when none is
  // kept (keep is 0, or there is no file or only an empty one to keep).
  std::filesystem::path Keep(const std::filesystem::path& profile) const;

  // The copies of profile in the backup folder, oldest first.
  [[nodiscard]] std::vector<std::filesystem::path> BackupsOf(
      const std::filesystem::path& profile) const;

  // Moves copy (a conflict copy already combined into its profile) into the conflict-copy
  // folder under its own name (a number added when the name is taken) and returns its new
  // path.
  std::filesystem::path SetAsideConflictCopy(const std::filesystem::path& copy) const;

  // Creates the backup folder (0700) when missing, so that a file dialog can start there.
  void MakeBackupFolder() const;

 private:
  std::filesystem::path backups_;
  std::filesystem::path conflicts_;
  int keep_;
};

}  // namespace bv
