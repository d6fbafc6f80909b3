#pragma once
// Opening the profiles a command names: the file opened once, its header checked, the master
// password tried or asked, the nodes loaded from the same descriptor (a file replaced by rename
// meanwhile stays the version opened; one written in place is refused); and the language of the
// program, for the texts a command writes into a profile or shows.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/PasswordInput.h"
#include "profile/NodeData.h"
#include "files/FileFingerprint.h"
#include "files/FileHandle.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileTree.h"

namespace bv::cli {

// The header of file, read from path, which must be a Brindlevault 3 profile: ECliError
// kNotProfile or kOtherEdition otherwise.
[[nodiscard]] TProfileHeader ProfileHeader(const std::filesystem::path& path,
                                           const ProfileBytes& file);

// A profile kept open, with the key that opens it (the password, or the empty-password
// sentinel), wiped when it goes.
struct UnlockedHeader {
  std::filesystem::path path;
  FileHandle file;
  FileStat opened;  // as it was before anything was read
  TProfileHeader header;
  std::string key;

  UnlockedHeader() = default;
  UnlockedHeader(UnlockedHeader&&) = default;
  ~UnlockedHeader();
};

// Opens path once and reads its header from that descriptor (no key yet): ECliError
// kNotProfile or kOtherEdition as ProfileHeader, kFileError naming the file for a read failure.
[[nodiscard]] UnlockedHeader OpenProfileHeader(const std::filesystem::path& path);

// Opens as OpenProfileHeader, then tries the empty-password sentinel, then each known
// password, and asks only when none opens the profile (on the terminal, or the next line of
// standard input). A wrong password ends the command (kWrongPassword, naming the file); a read
// failure names the file (kFileError).
[[nodiscard]] UnlockedHeader UnlockProfile(const std::filesystem::path& path,
                                           const PasswordOptions& password,
                                           const std::vector<std::string>& known = {});

// Every node of the profile, deciphered with its key from the descriptor that gave its header,
// a block at a time; a failure, or a write to the file since it was opened, names the file
// (kFileError).
[[nodiscard]] ProfileTree LoadNodes(const UnlockedHeader& profile);

// Visits the records of every node in file order, without deciphering anything, from the
// descriptor that gave the header, a block at a time; kFileError as LoadNodes.
void ForEachNode(const UnlockedHeader& profile,
                 const std::function<void(const TNodeRecord&)>& visit);

// Loads the messages of the language the program is set to use (once).
void LoadProgramLanguage();

}  // namespace bv::cli
