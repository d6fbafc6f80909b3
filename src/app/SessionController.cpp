#include "app/SessionController.h"

#include <unistd.h>

#include <QWidget>
#include <system_error>

#include "app/HostProfileView.h"
#include "app/RecentList.h"
#include "app/RecentMenus.h"
#include "app/SessionHost.h"
#include "app/WindowEvents.h"
#include "app/WindowSettings.h"
#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "config/QtText.h"
#include "files/BackupStore.h"
#include "files/FileReplacement.h"
#include "files/InOutError.h"
#include "profile/DepthLimit.h"
#include "profile/DialogKit.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileStore.h"
#include "profile/RecordLayout.h"
#include "profile/SessionState.h"
#include "profile/TFCambiarPass.h"
#include "profile/TFEditarPerfil.h"
#include "profile/TFInicioSesion.h"
#include "profile/TFNuevoPerfil.h"
#include "ui/Seams.h"

namespace bv {
namespace {

std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

std::string Cut(std::string text, std::size_t max) {
  if (text.size() > max) text.resize(max);
  return text;
}

// The replaced file starts over empty, as a created one does.
void EmptyFile(const std::filesystem::path& path) {
  if (::truncate(path.c_str(), 0) != 0) ThrowLastError();
}

}  // namespace

SessionController::SessionController(SessionHost& host, QObject* parent)
    : QObject(parent),
      host_(host),
      recent_(std::make_unique<RecentMenus>(host.RecentItems(), host.Window())),
      view_(std::make_unique<HostProfileView>(host, *recent_)),
      store_(std::make_unique<ProfileStore>(host.Session(), host.Tree(), *view_)) {
  RefreshRecentMenus();
}

SessionController::~SessionController() = default;

void SessionController::RefreshRecentMenus() { recent_->Refresh(); }

// --- failures --------------------------------------------------------------------------

void SessionController::ShowError(const QString& text) { host_.GetSeams().boxes->Error(text); }

bool SessionController::Attempt(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const ENotRegularFile&) {
    ShowError(Msg(msg::kNotRegularFile));
  } catch (const ESettingsWriteError& error) {
    ShowError(QString::fromUtf8(error.what()));  // names the settings file, a UTF-8 path
  } catch (const std::exception& error) {
    // Input/output failures and the cipher's errors carry Windows-1252 run-time texts.
    ShowError(FromCp1252(error.what()));
  }
  return false;
}

bool SessionController::Save(const std::filesystem::path& path, const std::string& password) {
  return Attempt([&] { store_->Save(path, password); });
}

void SessionController::Load(const std::filesystem::path& path) {
  SessionState& session = host_.Session();
  const bool loaded = store_->Load(path, session.SessionPassword());
  const std::size_t lifted = view_->TakeLiftedNodes();
  if (!loaded) {
    session.WipePassword();
    return;
  }
  if (lifted == 0) return;
  host_.SetModified();
  host_.GetSeams().boxes->Information(
      Msg(msg::kNodesLifted).arg(lifted).arg(kWindowDepthLimit));
}

// --- opening -----------------------------------------------------------------------------

bool SessionController::CloseBeforeOpening() {
  return !host_.Session().ProfileOpen || CloseProfile();
}

void SessionController::OpenChosen() {
  if (!CloseBeforeOpening()) return;
  const auto chosen = host_.GetSeams().files->Open(*host_.FileDialog(QStringLiteral("ODPerfil")), {});
  if (!chosen) return;
  host_.Session().ProfilePath = ToPath(*chosen);
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
  const auto chosen =
      host_.GetSeams().files->Open(*host_.FileDialog(QStringLiteral("ODPerfil")), folder);
  if (!chosen) return;
  host_.Session().ProfilePath = ToPath(*chosen);
  OpenProfileFile();
}

void SessionController::OpenRecent(int k) {
  const std::string entry = ReadRecentEntry(k);
  if (entry.empty()) return;
  if (!CloseBeforeOpening()) return;
  host_.Session().ProfilePath = PathFromSetting(entry);
  if (!FileExists(host_.Session().ProfilePath)) return;
  OpenProfileFile();
}

void SessionController::OpenDropped(const QString& path) {
  if (!CloseBeforeOpening()) return;
  host_.Session().ProfilePath = ToPath(path);
  if (!FileExists(host_.Session().ProfilePath)) return;
  OpenProfileFile();
}

void SessionController::OpenFromCommandLine() {
  if (commandLine_.isEmpty() || commandLine_.front().isEmpty()) return;
  // Made absolute, so that the recent list can find the file again from anywhere.
  std::error_code ec;
  const std::filesystem::path given = ToPath(commandLine_.front());
  const std::filesystem::path absolute = std::filesystem::absolute(given, ec);
  host_.Session().ProfilePath = ec ? given : absolute;
  host_.Flags().OpenedFromCommandLine = true;
  OpenProfileFile();
}

void SessionController::OpenHandedOver(const QString& given) {
  const std::filesystem::path path = ToPath(given);
  std::error_code ec;
  if (host_.Session().ProfileOpen && std::filesystem::equivalent(path, host_.Session().ProfilePath, ec))
    return;
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
  host_.Session().ProfilePath = path;
  OpenProfileFile();
}

void SessionController::OpenProfileFile(bool reopening) {
  SessionState& session = host_.Session();
  const std::filesystem::path path = session.ProfilePath;
  Attempt([&] {
    const HeaderKind kind = store_->ReadHeader(path);
    if (kind == HeaderKind::OtherEdition) {
      ShowError(Msg(msg::kOtherEdition) + QStringLiteral("\n\n    Brindlevault ") +
                FromCp1252(OtherEditionName(session.Header)) + QStringLiteral("\n\n") +
                Msg(msg::kOtherEditionHint));
      return;
    }
    if (kind == HeaderKind::NotProfile) {
      ShowError(Msg(msg::kNotAProfile) + Msg(msg::kNotAProfileHint));
      return;
    }
    std::string password;
    const dialogkit::ScopedWipe wipe(password);
    if (store_->CheckPassword(path, kEmptyPasswordSentinel)) {
      if (reopening) return;
      password = kEmptyPasswordSentinel;
    } else {
      auto typed = TFInicioSesion::Ask(host_.Window());
      if (!typed) return;
      password.swap(*typed);
    }
    if (password.empty()) return;
    session.SetSessionPassword(password);
    Load(path);
  });
}

// --- closing and saving ----------------------------------------------------------------

bool SessionController::CloseProfile() {
  SessionState& session = host_.Session();
  if (session.Modified) {
    const SaveAnswer answer = host_.GetSeams().boxes->ConfirmSave(Msg(msg::kSaveBeforeClosing));
    if (answer == SaveAnswer::Cancel) return false;  // open and modified, as before
    if (answer == SaveAnswer::Yes && !Save(session.ProfilePath, session.SessionPassword()))
      return false;  // the profile stays open, still modified
  }
  session.ProfileOpen = false;
  host_.ReplaceNodes([this] { host_.Tree().Clear(); });
  session.Modified = false;
  session.WipePassword();
  session.ProfilePath.clear();
  if (host_.Flags().DCBCerrar) host_.GetSeams().clipboard->Clear();
  host_.ShowWelcomePage();
  host_.Events().NoProfile();
  return true;
}

bool SessionController::CloseIdleProfile() {
  SessionState& session = host_.Session();
  if (!session.ProfileOpen || session.Modified) return false;
  const std::filesystem::path path = session.ProfilePath;
  if (!CloseProfile()) return false;
  session.ProfilePath = path;
  OpenProfileFile(true);
  if (!session.ProfileOpen) session.ProfilePath.clear();
  return true;
}

bool SessionController::SaveProfile() {
  const SessionState& session = host_.Session();
  if (!session.ProfileOpen) return false;
  return Save(session.ProfilePath, session.SessionPassword());
}

void SessionController::SaveProfileAs() {
  SessionState& session = host_.Session();
  if (!session.ProfileOpen) return;
  const auto chosen = host_.GetSeams().files->Save(*host_.FileDialog(QStringLiteral("SDPerfil")), {});
  if (!chosen) return;
  const std::filesystem::path path = ToPath(*chosen);
  if (!Save(path, session.SessionPassword())) return;
  session.ProfilePath = path;
  // Reloading puts the new path at the top of the recent list and shows its caption.
  Attempt([&] { Load(path); });
}

// --- new profile -------------------------------------------------------------------------

void SessionController::NewProfile() {
  Seams& seams = host_.GetSeams();
  TFNuevoPerfil dialog(
      *seams.boxes, *seams.files,
      [this](const NewProfileRequest& request) { return CreateProfile(request); }, host_.Window());
  dialog.exec();
}

bool SessionController::CreateProfile(const NewProfileRequest& request) {
  SessionState& session = host_.Session();
  bool created = false;
  if (!Attempt([&] { created = ClaimNewFile(request.path); })) return false;
  const auto giveUp = [&] {
    std::error_code ec;
    if (created) std::filesystem::remove(request.path, ec);
    return false;
  };
  if (session.ProfileOpen && !CloseProfile()) return giveUp();
  if (!created && !Attempt([&] { EmptyFile(request.path); })) return false;

  std::string password = PasswordOrSentinel(request.password);
  const dialogkit::ScopedWipe wipe(password);
  session.Header.Owner = Cut(request.owner, TProfileHeader::kOwnerMax);
  session.Header.Title = Cut(request.title, TProfileHeader::kTitleMax);
  session.Header.Verifier = MakeVerifier(password);
  if (!Save(request.path, password)) return giveUp();
  session.ProfilePath = request.path;
  session.SetSessionPassword(password);
  Attempt([&] { Load(request.path); });
  return true;
}

// --- the header ------------------------------------------------------------------------

void SessionController::ChangeProfilePassword() {
  SessionState& session = host_.Session();
  if (!session.ProfileOpen) return;
  TFCambiarPass dialog(
      *host_.GetSeams().boxes, session.SessionPassword(),
      [this](const std::string& password) { return ChangePassword(password); }, host_.Window());
  dialog.exec();
}

bool SessionController::ChangePassword(const std::string& newPassword) {
  SessionState& session = host_.Session();
  std::string oldPassword = session.SessionPassword();
  const dialogkit::ScopedWipe wipe(oldPassword);
  const std::string oldVerifier = session.Header.Verifier;
  session.SetSessionPassword(newPassword);
  session.Header.Verifier = MakeVerifier(newPassword);
  host_.GetSeams().boxes->Information(Msg(msg::kPasswordChanged));
  const bool saved = Save(session.ProfilePath, newPassword);
  if (!saved) {
    // The file still opens with the old password only: memory goes back to it, or a later
    // save would quietly lock the profile with a password its owner believes failed.
    session.SetSessionPassword(oldPassword);
    session.Header.Verifier = oldVerifier;
  }
  return saved;
}

void SessionController::EditProfileDetails() {
  if (!host_.Session().ProfileOpen) return;
  TFEditarPerfil dialog(
      host_.Session().Header,
      [this](const std::string& owner, const std::string& title) { return StoreDetails(owner, title); },
      host_.Window());
  dialog.exec();
}

bool SessionController::StoreDetails(const std::string& owner, const std::string& title) {
  SessionState& session = host_.Session();
  const TProfileHeader before = session.Header;
  session.Header.Owner = Cut(owner, TProfileHeader::kOwnerMax);
  session.Header.Title = Cut(title, TProfileHeader::kTitleMax);
  if (!Save(session.ProfilePath, session.SessionPassword())) {
    // Nothing else would ever save these details: they go back to what the file holds.
    session.Header = before;
    return false;
  }
  if (host_.ShowsProfileSummary()) host_.ShowProfileSummary();
  return true;
}

}  // namespace bv
