#include "app/SessionController.h"

#include <QWidget>
#include <system_error>

#include "app/ProfileSession.h"
#include "app/RecentList.h"
#include "app/VersionIntake.h"
#include "app/WindowSettings.h"
#include "config/FailureText.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "config/Settings.h"
#include "crypto/WipedText.h"
#include "files/BackupStore.h"
#include "files/FileFingerprint.h"
#include "files/FileReplacement.h"
#include "files/InOutError.h"
#include "profile/DepthLimit.h"
#include "profiledialogs/DialogKit.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/RecordLayout.h"
#include "profile/SessionState.h"
#include "profiledialogs/TFCambiarPass.h"
#include "profiledialogs/TFEditarPerfil.h"
#include "profiledialogs/TFInicioSesion.h"
#include "profiledialogs/TFNuevoPerfil.h"
#include "ui/Seams.h"

namespace bv {
namespace {

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

// A writer that saves again and again while we merge is combined this often, then replaced.
constexpr int kLooksBeforeSaving = 3;

std::string Cut(std::string text, std::size_t max) {
  if (text.size() > max) text.resize(max);
  return text;
}

}  // namespace

SessionController::SessionController(const Parts& parts, QObject* parent)
    : QObject(parent),
      session_(parts.session),
      flags_(parts.flags),
      seams_(parts.seams),
      window_(parts.window),
      openDialog_(parts.openDialog),
      saveDialog_(parts.saveDialog) {
  // Whatever brought the tree in (an opening, a reload, a combination), the user is told.
  connect(&session_, &ProfileSession::nodesLifted, this, [this](std::size_t count) {
    seams_.boxes->Information(Msg(msg::kNodesLifted).arg(count).arg(kWindowDepthLimit));
  });
}

SessionController::~SessionController() = default;

// --- failures --------------------------------------------------------------------------

void SessionController::ShowError(const QString& text) { seams_.boxes->Error(text); }

bool SessionController::Attempt(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception&) {
    ShowError(CurrentFailureText());
  }
  return false;
}

bool SessionController::CombineWithDisk(const std::filesystem::path& path, VersionIntake& intake) {
  const SessionState& session = session_.State();
  // Save As to another file replaces what the user chose to replace.
  std::error_code ec;
  if (!session_.Held().Holds() || session.ProfilePath.empty() ||
      !std::filesystem::equivalent(path, session.ProfilePath, ec))
    return true;
  // A merge can take a while (the login box may wait for the user), so the file is looked
  // at again after one, until a look finds nothing new. What remains between the last look
  // and the rename of the save is the time of one write: a version another writer puts there
  // within it is replaced unseen (and kept among the backups). RENAME_EXCHANGE could show it
  // afterwards; we do not use it yet.
  for (int look = 0; look < kLooksBeforeSaving; ++look) {
    DiskCheck check;
    if (!Attempt([&] { check = intake.LookAtFile(path); })) return false;
    // A missing file is simply written again.
    if (check.state != DiskState::Changed) return true;
    ProfileBytes theirs = ProfileBytesOf(std::move(*check.read));
    std::optional<std::filesystem::path> setAside;
    switch (intake.Combine(theirs, path, setAside)) {
      case VersionIntake::Outcome::TakenIn: break;
      case VersionIntake::Outcome::Unreadable:
        ShowError(Msg(msg::kDiskVersionUnreadable));
        return false;
      case VersionIntake::Outcome::NoPassword:
        ShowError(Msg(msg::kSaveWithoutOtherPassword));
        return false;
    }
  }
  return true;
}

bool SessionController::Save(const std::filesystem::path& path, const std::string& password) {
  VersionIntake intake(session_, window_);
  // What a merge took in stays in the window, unsaved, whether the write succeeds or not (or
  // a later look refuses it): the version held is already the other writer's, so the user
  // must see what was combined. Said once the write is over.
  intake.HoldAnnouncements();
  // The number of copies is read at each save: the options dialog may have changed it.
  const BackupStore backups = BackupStore::ForUser(ReadBackupsKept());
  SaveReport report;
  const bool saved = CombineWithDisk(path, intake) &&
                     Attempt([&] { report = session_.Save(path, password, backups); });
  intake.AnnounceHeld();
  if (!saved) return false;
  if (!report.backupFailure.empty()) {
    ShowError(Msg(msg::kBackupNotKept) + QLatin1Char('\n') +
              QString::fromStdString(backups.BackupFolder().string()) + QStringLiteral(": ") +
              FromCp1252(report.backupFailure) + QLatin1Char('\n') + Msg(msg::kBackupNotKeptHint));
  }
  return true;
}

void SessionController::Load(const std::filesystem::path& path) {
  const ProfileSession::Opening opening = session_.Open(path);
  if (!opening.opened) {
    ShowError(Msg(msg::kWrongPassword) + QLatin1Char('\n') + Msg(msg::kWrongPasswordHint));
    session_.WipePassword();
    return;
  }
}

// --- opening -----------------------------------------------------------------------------

bool SessionController::CloseBeforeOpening() {
  return !session_.State().ProfileOpen || CloseProfile();
}

void SessionController::OpenChosen() {
  if (!CloseBeforeOpening()) return;
  const auto chosen = seams_.files->Open(openDialog_, {});
  if (!chosen) return;
  session_.SetPath(ToPath(*chosen));
  OpenProfileFile();
}

void SessionController::OpenBackup() {
  if (!CloseBeforeOpening()) return;
  const BackupStore backups = BackupStore::ForUser(0);
  try {
    backups.MakeBackupFolder();  // the dialog starts there even before the first save
  } catch (const EInOutError&) {
    // The dialog starts where it would for Abrir perfil.
  }
  const QString folder = QString::fromStdString(backups.BackupFolder().string());
  const auto chosen = seams_.files->Open(openDialog_, folder);
  if (!chosen) return;
  session_.SetPath(ToPath(*chosen));
  OpenProfileFile();
}

void SessionController::OpenRecent(int k) {
  const std::string entry = ReadRecentEntry(k);
  if (entry.empty()) return;
  if (!CloseBeforeOpening()) return;
  session_.SetPath(PathFromSetting(entry));
  if (!FileExists(session_.State().ProfilePath)) return;
  OpenProfileFile();
}

void SessionController::OpenDropped(const QString& path) {
  if (!CloseBeforeOpening()) return;
  session_.SetPath(ToPath(path));
  if (!FileExists(session_.State().ProfilePath)) return;
  OpenProfileFile();
}

void SessionController::OpenFromCommandLine() {
  if (commandLine_.isEmpty() || commandLine_.front().isEmpty()) return;
  // Made absolute, so that the recent list can find the file again from anywhere.
  std::error_code ec;
  const std::filesystem::path given = ToPath(commandLine_.front());
  const std::filesystem::path absolute = std::filesystem::absolute(given, ec);
  session_.SetPath(ec ? given : absolute);
  flags_.OpenedFromCommandLine = true;
  OpenProfileFile();
}

void SessionController::OpenHandedOver(const QString& given) {
  const std::filesystem::path path = ToPath(given);
  std::error_code ec;
  const SessionState& session = session_.State();
  if (session.ProfileOpen && std::filesystem::equivalent(path, session.ProfilePath, ec)) return;
  if (!FileExists(path)) {
    ShowError(Msg(msg::kHandedOverMissing).arg(given));
    return;
  }
  // Checked before closing: a file that is no profile must not cost the open one.
  HeaderKind kind = HeaderKind::NotProfile;
  if (!Attempt([&] { kind = ReadProfileHeader(path).kind; })) return;
  if (kind != HeaderKind::Profile) {
    ShowError(Msg(msg::kNotAProfile) + Msg(msg::kNotAProfileHint));
    return;
  }
  if (!CloseBeforeOpening()) return;
  session_.SetPath(path);
  OpenProfileFile();
}

void SessionController::OpenProfileFile(bool reopening) {
  const std::filesystem::path path = session_.State().ProfilePath;
  Attempt([&] {
    const HeaderKind kind = session_.ReadHeader(path);
    if (kind == HeaderKind::OtherEdition) {
      ShowError(Msg(msg::kOtherEdition) + QStringLiteral("\n\n    Brindlevault ") +
                FromCp1252(OtherEditionName(session_.State().Header)) + QStringLiteral("\n\n") +
                Msg(msg::kOtherEditionHint));
      return;
    }
    if (kind == HeaderKind::NotProfile) {
      ShowError(Msg(msg::kNotAProfile) + Msg(msg::kNotAProfileHint));
      return;
    }
    std::string password;
    const WipeOnExit wipe(password);
    if (session_.PasswordOpens(path, kEmptyPasswordSentinel)) {
      if (reopening) return;
      password = kEmptyPasswordSentinel;
    } else {
      auto typed = TFInicioSesion::Ask(window_);
      if (!typed) return;
      password.swap(*typed);
    }
    if (password.empty()) return;
    session_.SetPassword(password);
    Load(path);
  });
}

// --- closing and saving ----------------------------------------------------------------

bool SessionController::CloseProfile() {
  const SessionState& session = session_.State();
  if (session.Modified) {
    const SaveAnswer answer = seams_.boxes->ConfirmSave(Msg(msg::kSaveBeforeClosing));
    if (answer == SaveAnswer::Cancel) return false;  // open and modified, as before
    if (answer == SaveAnswer::Yes && !Save(session.ProfilePath, session.SessionPassword()))
      return false;  // the profile stays open, still modified
  }
  session_.Close();
  return true;
}

bool SessionController::CloseIdleProfile() {
  const SessionState& session = session_.State();
  if (!session.ProfileOpen || session.Modified) return false;
  const std::filesystem::path path = session.ProfilePath;
  if (!CloseProfile()) return false;
  session_.SetPath(path);
  OpenProfileFile(true);
  if (!session.ProfileOpen) session_.SetPath({});
  return true;
}

bool SessionController::SaveProfile() {
  const SessionState& session = session_.State();
  if (!session.ProfileOpen) return false;
  return Save(session.ProfilePath, session.SessionPassword());
}

void SessionController::SaveProfileAs() {
  const SessionState& session = session_.State();
  if (!session.ProfileOpen) return;
  const auto chosen = seams_.files->Save(saveDialog_, {});
  if (!chosen) return;
  const std::filesystem::path path = ToPath(*chosen);
  if (!Save(path, session.SessionPassword())) return;
  session_.SetPath(path);
  // Reloading puts the new path at the top of the recent list and shows its caption.
  Attempt([&] { Load(path); });
}

// --- new profile -------------------------------------------------------------------------

void SessionController::NewProfile() {
  TFNuevoPerfil dialog(
      *seams_.boxes, *seams_.files,
      [this](const NewProfileRequest& request) { return CreateProfile(request); }, window_);
  dialog.exec();
}

bool SessionController::CreateProfile(const NewProfileRequest& request) {
  const SessionState& session = session_.State();
  bool created = false;
  if (!Attempt([&] { created = ClaimNewFile(request.path); })) return false;
  const auto giveUp = [&] {
    std::error_code ec;
    if (created) std::filesystem::remove(request.path, ec);
    return false;
  };
  // The open profile's save question comes first: a Yes may save it into the very file the
  // new profile then replaces, which keeps that save among the backups.
  if (session.ProfileOpen && !CloseProfile()) return giveUp();

  std::string password = PasswordOrSentinel(request.password);
  const WipeOnExit wipe(password);
  TProfileHeader header;
  header.Owner = Cut(request.owner, TProfileHeader::kOwnerMax);
  header.Title = Cut(request.title, TProfileHeader::kTitleMax);
  header.Verifier = MakeVerifier(password);
  // Written as every save is: beside the file it replaces, checked, that file kept among the
  // backups, then renamed over it. A failure leaves the replaced file as it was.
  session_.StartNew(header);
  if (!Save(request.path, password)) return giveUp();
  session_.SetPath(request.path);
  session_.SetPassword(password);
  Attempt([&] { Load(request.path); });
  return true;
}

// --- the header ------------------------------------------------------------------------

void SessionController::ChangeProfilePassword() {
  const SessionState& session = session_.State();
  if (!session.ProfileOpen) return;
  TFCambiarPass dialog(
      *seams_.boxes, session.SessionPassword(),
      [this](const std::string& password) { return ChangePassword(password); }, window_);
  dialog.exec();
}

bool SessionController::ChangePassword(const std::string& newPassword) {
  const SessionState& session = session_.State();
  // Said only once the file opens with the new password; a failed save leaves the old one in
  // force, or a later save would quietly lock the profile with a password its owner believes
  // was never set.
  const bool changed =
      session_.ChangePassword(newPassword, [&] { return Save(session.ProfilePath, newPassword); });
  if (changed)
    seams_.boxes->Information(Msg(msg::kPasswordChanged));
  else
    ShowError(Msg(msg::kPasswordNotChanged));
  return changed;
}

void SessionController::EditProfileDetails() {
  if (!session_.State().ProfileOpen) return;
  TFEditarPerfil dialog(
      session_.State().Header,
      [this](const std::string& owner, const std::string& title) {
        return StoreDetails(owner, title);
      },
      window_);
  dialog.exec();
}

bool SessionController::StoreDetails(const std::string& owner, const std::string& title) {
  const SessionState& session = session_.State();
  // Nothing else would ever save these details: a failed save puts them back.
  return session_.StoreDetails(
      owner, title, [&] { return Save(session.ProfilePath, session.SessionPassword()); });
}

}  // namespace bv
