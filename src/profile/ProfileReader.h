#pragma once
// Reading a profile file. A load reads the whole file once, a block at a time from one
// descriptor, and takes the header and the nodes from those same bytes; failures throw
// EInOutError with the run-time text.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "files/FileFingerprint.h"
#include "files/OpenVersion.h"
#include "profile/ProfileTree.h"
#include "profile/RecordLayout.h"

namespace bv {

class FileHandle;

// A profile file's bytes as one read saw them, with the fingerprint of that version. A
// device, FIFO or socket is never read: it is special, holds no bytes and counts as
// NotProfile.
struct ProfileBytes {
  LargeBytes bytes;
  bool special = false;
  FileFingerprint fingerprint;
};

// Reads the file whole from one descriptor (ReadSettledFile): a file being replaced or
// written while it is read gives the old or the new version, or EChangedWhileRead.
[[nodiscard]] ProfileBytes ReadProfileFile(const std::filesystem::path& path);
// The bytes of a version read or written before.
[[nodiscard]] ProfileBytes ProfileBytesOf(WholeFile version);

struct HeaderRead {
  TProfileHeader header;
  HeaderKind kind = HeaderKind::NotProfile;
};

// The first 178 bytes; fewer fail with "Lectura más allá del fin del archivo".
[[nodiscard]] HeaderRead ReadProfileHeader(const ProfileBytes& file);
// The same, reading only the header of the file at path.
[[nodiscard]] HeaderRead ReadProfileHeader(const std::filesystem::path& path);

// Visits node records 1 to n-1 in file order without deciphering anything (n whole records;
// a trailing part of a record is ignored). Returns how many it visited.
std::size_t ForEachNodeRecord(const ProfileBytes& file,
                              const std::function<void(const TNodeRecord&)>& visit);
std::size_t ForEachNodeRecord(const std::filesystem::path& path,
                              const std::function<void(const TNodeRecord&)>& visit);
// The same from an open file, a block at a time, without keeping its bytes.
std::size_t ForEachNodeRecord(const FileHandle& file,
                              const std::function<void(const TNodeRecord&)>& visit);

// Deciphers every node record with password (one keyed cipher for the whole file) and
// appends the nodes to tree by their levels (see LevelTree.h). Returns how many records the
// file held. On a failure the nodes attached so far stay in the tree.
std::size_t LoadProfileNodes(const ProfileBytes& file, std::string_view password,
                             ProfileTree& tree);
std::size_t LoadProfileNodes(const std::filesystem::path& path, std::string_view password,
                             ProfileTree& tree);
// The same from an open file, read a block at a time without keeping its bytes: for a command
// that reads a large profile once and checks afterwards that nobody wrote it meanwhile.
std::size_t LoadProfileNodes(const FileHandle& file, std::string_view password, ProfileTree& tree);

// What loading a profile's bytes with a password gave.
struct LoadedProfile {
  enum class Outcome {
    Loaded,
    WrongPassword,  // nothing deciphered; header is the file's all the same
    FailedPartWay,  // tree holds the nodes attached before failure
  };
  Outcome outcome = Outcome::WrongPassword;
  TProfileHeader header;
  ProfileTree tree;
  std::size_t lifted = 0;  // nodes lifted to the depth limit on the way (DepthLimit.h)
  std::exception_ptr failure;
};

inline constexpr int kNoDepthLimit = 0;

// Checks password against the header, then reads the nodes; a tree deeper than depthLimit
// levels is lifted to it. A file too short for a header throws: nothing of it was read.
[[nodiscard]] LoadedProfile LoadProfile(const ProfileBytes& file, std::string_view password,
                                        int depthLimit = kNoDepthLimit);

// ReadProfileFile and LoadProfile in one pass: each block of records is deciphered as soon as
// it is read, while it is still in the processor's cache, into one buffer that the next block
// overwrites. The bytes are not kept: the descriptor they came from is, so that they can be
// read again (OpenVersion.h). The same outcome, failures and retries as the two calls one
// after the other; a device, FIFO or socket leaves no descriptor open.
struct ReadProfile {
  OpenVersion file;
  LoadedProfile loaded;
};
[[nodiscard]] ReadProfile ReadAndLoadProfile(const std::filesystem::path& path,
                                             std::string_view password,
                                             int depthLimit = kNoDepthLimit);

}  // namespace bv
