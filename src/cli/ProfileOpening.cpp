#include "cli/ProfileOpening.h"

#include "cli/CliError.h"
#include "config/Cp1252.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/Settings.h"
#include "crypto/WipedText.h"
#include "files/FileFingerprint.h"
#include "files/FileHandle.h"
#include "files/InOutError.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"

namespace bv::cli {

TProfileHeader ProfileHeader(const std::filesystem::path& path, const ProfileBytes& file) {
  const HeaderRead read = ReadProfileHeader(file);
  switch (read.kind) {
    case HeaderKind::Profile: return read.header;
    case HeaderKind::OtherEdition:
      throw ECliError(ExitCode::kOtherEdition,
                      path.string() + ": a profile of another edition (Brindlevault " +
                          Cp1252ToUtf8(OtherEditionName(read.header)) + "), not Brindlevault 3");
    case HeaderKind::NotProfile: break;
  }
  throw ECliError(ExitCode::kNotProfile, path.string() + ": not a Brindlevault 3 profile");
}

UnlockedHeader::~UnlockedHeader() { WipeString(key); }

namespace {

ECliError ReadFailure(const std::filesystem::path& path, const EInOutError& error) {
  return ECliError(ExitCode::kFileError, path.string() + ": " + Cp1252ToUtf8(error.what()));
}

}  // namespace

UnlockedHeader OpenProfileHeader(const std::filesystem::path& path) {
  try {
    UnlockedHeader opened;
    opened.path = path;
    // Looked at before opening: opening a socket fails and opening a device may act on it.
    ProfileBytes start{.bytes = {}, .special = IsSpecialFile(path), .fingerprint = {}};
    if (!start.special) {
      opened.file = FileHandle::OpenForReading(path);
      opened.opened = StatOf(opened.file);
      start.special = opened.file.IsSpecial();
      start.bytes.resize(kHeaderSize);
      start.bytes.resize(opened.file.ReadSomeAt(0, start.bytes));
    }
    opened.header = ProfileHeader(path, start);
    return opened;
  } catch (const EInOutError& error) {
    throw ReadFailure(path, error);
  }
}

UnlockedHeader UnlockProfile(const std::filesystem::path& path, const PasswordOptions& password,
                             const std::vector<std::string>& known) {
  UnlockedHeader opened = OpenProfileHeader(path);
  opened.key = kEmptyPasswordSentinel;
  for (std::size_t k = 0; !PasswordMatches(opened.header, opened.key); ++k) {
    if (k < known.size()) {
      opened.key = known[k];
      continue;
    }
    opened.key = AskPassword("Master password of " + path.string() + ": ", password);
    if (!PasswordMatches(opened.header, opened.key))
      throw ECliError(ExitCode::kWrongPassword, path.string() + ": wrong password");
  }
  return opened;
}

ProfileTree LoadNodes(const UnlockedHeader& profile) {
  try {
    ProfileTree tree;
    LoadProfileNodes(profile.file, profile.key, tree);
    if (WrittenBetween(profile.opened, StatOf(profile.file))) throw EChangedWhileRead();
    return tree;
  } catch (const EInOutError& error) {
    throw ReadFailure(profile.path, error);
  }
}

void ForEachNode(const UnlockedHeader& profile,
                 const std::function<void(const TNodeRecord&)>& visit) {
  try {
    ForEachNodeRecord(profile.file, visit);
    if (WrittenBetween(profile.opened, StatOf(profile.file))) throw EChangedWhileRead();
  } catch (const EInOutError& error) {
    throw ReadFailure(profile.path, error);
  }
}

void LoadProgramLanguage() {
  static bool loaded = false;
  if (loaded) return;
  const auto chosen =
      PathFromSetting(ReadString(settings::kConfiguracion, settings::kRecursos, ""));
  std::error_code ignored;
  LoadMessages(!chosen.empty() && std::filesystem::is_regular_file(chosen, ignored)
                   ? chosen
                   : DefaultLanguageFile());
  loaded = true;
}

}  // namespace bv::cli
