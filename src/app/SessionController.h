#pragma once
// The profile commands: every command that opens, creates, saves or closes the profile of
// the main window or changes its header. They act on the window's ProfileSession, whose
// signals the window follows; failures are shown through the window's message boxes and
// stop the command that met them.

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace bv {

class FileDialogEntry;
class ProfileSession;
class VersionIntake;
struct MainWindowFlags;
struct NewProfileRequest;
struct Seams;

class SessionController : public QObject {
  Q_OBJECT

 public:
  // What the commands work with; all of it must outlive this object.
  struct Parts {
    ProfileSession& session;
    MainWindowFlags& flags;
    Seams& seams;
    QWidget* window;              // parent of the dialogs
    FileDialogEntry& openDialog;  // ODPerfil
    FileDialogEntry& saveDialog;  // SDPerfil
  };
  explicit SessionController(const Parts& parts, QObject* parent = nullptr);
  ~SessionController() override;

  // --- the four ways of opening a profile (MainWindowSession connects the actions named)
  void OpenChosen();  // ActAbrir: the file chosen in the open dialog
  // ActCopiasSeguridad: the same dialog, started in the folder of the backups that saves
  // keep; a backup is restored by opening it and saving it as the profile.
  void OpenBackup();
  void OpenRecent(int k);  // entry 1..6 of the recent list
  void OpenDropped(const QString& path);
  // The program's arguments after its own name; the first, when not empty, is opened at
  // the first activation.
  void SetCommandLine(const QStringList& arguments) { commandLine_ = arguments; }
  void OpenFromCommandLine();
  // A file named by a later start of the program. A file that is missing or not a profile
  // is reported and the open profile stays; the open profile itself is left as it is.
  void OpenHandedOver(const QString& path);

  // --- the other commands
  void NewProfile();  // ActNuevo
  // ActGuardar, and the save asked for on exit: saves to ProfilePath with the session
  // password; false when there was nothing open or the save failed (already reported).
  [[nodiscard]] bool SaveProfile();
  void SaveProfileAs();  // ActGuardarComo
  // Asks message 19 when there are unsaved changes; false when the user cancelled the
  // question or the save it asked for failed, which keeps the profile open and modified.
  [[nodiscard]] bool CloseProfile();
  // Idle lock: a profile without unsaved changes is closed as CloseProfile closes it, and the
  // password box for the same file is offered to open it again (a profile without password
  // stays closed). False when nothing was closed.
  bool CloseIdleProfile();
  void ChangeProfilePassword();  // ActCambPass
  void EditProfileDetails();     // ActEditarPerfil: owner and title

 private:
  // The procedure shared by the four ways: ProfilePath names the file.
  // reopening: after the idle lock, which does not open a profile without password again.
  void OpenProfileFile(bool reopening = false);
  // Closes an open profile before another is examined; false when it stays open.
  [[nodiscard]] bool CloseBeforeOpening();
  [[nodiscard]] bool CreateProfile(const NewProfileRequest& request);
  [[nodiscard]] bool ChangePassword(const std::string& newPassword);
  [[nodiscard]] bool StoreDetails(const std::string& owner, const std::string& title);
  // Takes in another writer's version found in the file (CombineWithDisk), then writes,
  // keeping the version it replaces among the backups; what it combined is announced after
  // the write, whether that succeeded or not.
  [[nodiscard]] bool Save(const std::filesystem::path& path, const std::string& password);
  // Before a save over the profile's own file: another writer's version found there is
  // merged into the session first (nothing written is ever one we have not seen). False
  // when the save must not go ahead (already reported).
  [[nodiscard]] bool CombineWithDisk(const std::filesystem::path& path, VersionIntake& intake);
  // Opens path with the session password; a tree too deep for the view is shown lifted
  // (ProfileSession::nodesLifted, which the user is told of).
  void Load(const std::filesystem::path& path);
  // Runs step, showing any failure it throws in an error box; true when it ran through.
  bool Attempt(const std::function<void()>& step);
  void ShowError(const QString& text);

  ProfileSession& session_;
  MainWindowFlags& flags_;
  Seams& seams_;
  QWidget* window_;
  FileDialogEntry& openDialog_;
  FileDialogEntry& saveDialog_;
  QStringList commandLine_;
};

}  // namespace bv
