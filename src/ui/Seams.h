#pragma once
// What the program reaches outside itself through the main window: message boxes, file
// dialogs, the printer setup dialog, the desktop's "open" handler and the clipboard. The
// program installs the Qt versions (QtSeams.h); tests install scripted fakes that answer
// and record.

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace bv {

class FileDialogEntry;

// The answer to "save the changes?": Cancel (also Escape and the box's close button)
// abandons the whole command, so that no edit is thrown away by a stray key.
enum class SaveAnswer {
  Yes,
  No,
  Cancel
};

// The three kinds of box of the program, plus a plain information box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Error(const QString& text) = 0;  // error box, OK button
  // Before deleting; true for Yes.
  [[nodiscard]] virtual bool WarningYesNo(const QString& text) = 0;
  // Before saving: Yes, No, Cancel.
  [[nodiscard]] virtual SaveAnswer ConfirmSave(const QString& text) = 0;
  virtual void Information(const QString& text) = 0;
  // A question with two named answers: first is the default, second also Escape and the
  // close box. True for first. Boxes without named buttons ask it as Yes/No.
  [[nodiscard]] virtual bool Choose(const QString& text, const QString& first,
                                    const QString& second) {
    static_cast<void>(first);
    static_cast<void>(second);
    return WarningYesNo(text);
  }
};

class FileDialogs {
 public:
  // Called with the chosen path; false sends the user back to the dialog.
  using NameCheck = std::function<bool(const QString& path)>;

  virtual ~FileDialogs() = default;
  // The chosen path, or nothing when the user cancels.
  [[nodiscard]] virtual std::optional<QString> Open(const FileDialogEntry& entry,
                                                    const QString& start) = 0;
  [[nodiscard]] virtual std::optional<QString> Save(const FileDialogEntry& entry,
                                                    const QString& start,
                                                    const NameCheck& accept = {}) = 0;
  // The file type chosen in the last Save that gave a path: its place in the entry's list of
  // types, 0 for the first. It tells apart two types that share an extension.
  [[nodiscard]] virtual int ChosenFilter() const { return 0; }
};

// Hands a document path or an internet address to the desktop without waiting; false when
// the desktop has no handler for it.
class DesktopOpener {
 public:
  virtual ~DesktopOpener() = default;
  [[nodiscard]] virtual bool Open(const QString& pathOrAddress) = 0;
};

// Both report whether the desktop took the change: another program may hold the clipboard.
class ClipboardAccess {
 public:
  virtual ~ClipboardAccess() = default;
  virtual bool SetText(const QString& text) = 0;  // replaces whatever the clipboard held
  virtual bool Clear() = 0;                       // empties it, whoever filled it
  // Whether the clipboard still holds the last text SetText put there, and nothing that was
  // copied since (here or in another program). Unknown counts as no.
  [[nodiscard]] virtual bool HoldsLastCopy() { return false; }
};

// The printer setup dialog (PSD): the user chooses a printer, or a file, and its settings.
// The program shows Qt's print dialog (tools/PrinterSetup.h); tests install a stand-in that
// prints to a PDF file or cancels.
class PrinterSetup {
 public:
  virtual ~PrinterSetup() = default;
  // Sets up printer as the user chooses; false when the user cancels.
  [[nodiscard]] virtual bool Choose(QPrinter& printer) = 0;
};

struct Seams {
  std::unique_ptr<MessageBoxes> boxes;
  std::unique_ptr<FileDialogs> files;
  std::unique_ptr<DesktopOpener> desktop;
  std::unique_ptr<ClipboardAccess> clipboard;
  std::unique_ptr<PrinterSetup> printer;
};

}  // namespace bv
