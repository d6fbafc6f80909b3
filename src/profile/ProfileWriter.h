#pragma once
// Writing a profile file: the header, then every node of the tree in pre-order with its depth
// as Level, every text enciphered with the session password.
//
// The new file replaces the old one whole (FileReplacement.h): it is written beside it,
// flushed to disk, read back and checked to decipher to the tree in memory, and only then
// renamed over the old file. Any failure throws EInOutError, removes the new file and leaves
// the old one byte for byte as it was.

#include <filesystem>
#include <string>
#include <string_view>

#include "files/FileFingerprint.h"
#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace bv {

class BackupStore;

// What a save did besides writing the file.
struct SaveReport {
  std::filesystem::path backup;  // the copy kept of the version replaced; empty for none
  std::string backupFailure;     // why no copy could be kept (run-time text); empty if none failed
  // The file as written, read back from the descriptor that wrote it, with its fingerprint
  // once in place: the version the writer holds from now on.
  WholeFile written;
};

// What follows the header in record 0: bytes 178 to 1891 of the file replaced as they were
// (zeros when there is none), or zeros whatever the file held (a new profile written over an
// existing file takes nothing from it).
enum class FirstRecordTail {
  KeptFromReplaced,
  Zeros
};

// header.Magic is ignored: the file always gets "Brindlevault_3". Every byte that carries no
// meaning is zero, except the tail of record 0 (above). markerText is enciphered into every
// record's Marker.
//
// With backups, a copy of the file being replaced is kept there (BackupStore.h) once the new
// file is complete and checked, just before it takes the old one's place. A copy that cannot
// be kept does not stop the save, which is what the user asked for: the new file is written
// and the report says why no copy was kept, for the caller to tell the user.
SaveReport WriteProfile(const std::filesystem::path& path, const TProfileHeader& header,
                        const ProfileTree& tree, std::string_view password,
                        std::string_view markerText, const BackupStore* backups = nullptr,
                        FirstRecordTail tail = FirstRecordTail::KeptFromReplaced);

}  // namespace bv
