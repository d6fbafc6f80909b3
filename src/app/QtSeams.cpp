#include "app/QtSeams.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>

#include "config/Product.h"
#include "config/Translation.h"
#include "tools/SecretClipboard.h"

namespace bv {
namespace {

// Boxes carry the application's title and stay above whichever window is active.
QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton byDefault) {
  QMessageBox box(icon, QString::fromUtf8(kProductName.data(), static_cast<qsizetype>(kProductName.size())), text, buttons,
                  QApplication::activeWindow());
  box.setDefaultButton(byDefault);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

class QtMessageBoxes final : public MessageBoxes {
 public:
  void Error(const QString& text) override {
    Ask(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
  }
  bool WarningYesNo(const QString& text) override {
    return Ask(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
  }
  bool ConfirmYesNo(const QString& text) override {
    return Ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
  }
  void Information(const QString& text) override {
    Ask(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
  }
};

class QtFileDialogs final : public FileDialogs {
 public:
  std::optional<QString> Open(const TFileDialogSpec& entry, const QString& start) override {
    const auto dialog = MakeOpenDialog(entry, start, QApplication::activeWindow());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().front();
  }

  std::optional<QString> Save(const TFileDialogSpec& entry, const QString& start,
                              const NameCheck& accept) override {
    QString where = start;
    while (true) {
      QFileDialog dialog(QApplication::activeWindow(), entry.title(), where, entry.qtFilter());
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setDefaultSuffix(entry.defaultSuffix());
      // The caller asks its own question about existing files.
      dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
      if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
      const QString chosen = dialog.selectedFiles().front();
      if (!accept || accept(chosen)) return chosen;
      where = chosen;
    }
  }
};

class QtDesktopOpener final : public DesktopOpener {
 public:
  bool Open(const QString& pathOrAddress) override {
    return QDesktopServices::openUrl(DesktopUrlFor(pathOrAddress));
  }
};

class QtClipboard final : public ClipboardAccess {
 public:
  // Plain text marked as a secret, so that clipboard histories do not keep passwords.
  bool SetText(const QString& text) override {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setMimeData(MakeSecretMimeData(text));
    return clipboard->text() == text;
  }
  bool Clear() override {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    // After clear() there may be no data at all.
    const QMimeData* data = clipboard->mimeData();
    return !data || data->formats().isEmpty();
  }
};

}  // namespace

std::unique_ptr<QFileDialog> MakeOpenDialog(const TFileDialogSpec& entry, const QString& start,
                                            QWidget* parent) {
  auto dialog = std::make_unique<QFileDialog>(parent, entry.title(), start, entry.qtFilter());
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  // Any typed name is taken as it is, without a default extension; a name that does not
  // exist is reported by the profile load like on every other way of opening.
  dialog->setFileMode(QFileDialog::AnyFile);
  return dialog;
}

Seams MakeQtSeams() {
  Seams seams;
  seams.boxes = std::make_unique<QtMessageBoxes>();
  seams.files = std::make_unique<QtFileDialogs>();
  seams.desktop = std::make_unique<QtDesktopOpener>();
  seams.clipboard = std::make_unique<QtClipboard>();
  seams.printer = MakeQtPrinterSetup();
  return seams;
}

QUrl DesktopUrlFor(const QString& pathOrAddress) {
  return QUrl::fromUserInput(pathOrAddress.trimmed());
}

}  // namespace bv
