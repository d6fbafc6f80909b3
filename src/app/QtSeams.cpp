#include "app/QtSeams.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include "config/Product.h"
#include "config/Translation.h"
#include "tools/PrinterSetup.h"
#include "tools/SecretClipboard.h"
#include "ui/PlainMessageBox.h"

namespace bv {
namespace {

// Boxes carry the application's title and stay above whichever window is active.
QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton byDefault) {
  const auto box = MakePlainBox(icon, text, buttons, QApplication::activeWindow());
  box->setDefaultButton(byDefault);
  if (buttons & QMessageBox::Cancel) box->setEscapeButton(QMessageBox::Cancel);
  return static_cast<QMessageBox::StandardButton>(box->exec());
}

class QtMessageBoxes final : public MessageBoxes {
 public:
  void Error(const QString& text) override {
    Ask(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
  }
  bool WarningYesNo(const QString& text) override {
    return Ask(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
  }
  // Cancel is the escape button: Escape and the close button cancel instead of meaning No.
  SaveAnswer ConfirmSave(const QString& text) override {
    switch (Ask(QMessageBox::Question, text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
      case QMessageBox::Yes: return SaveAnswer::Yes;
      case QMessageBox::No: return SaveAnswer::No;
      default: return SaveAnswer::Cancel;
    }
  }
  void Information(const QString& text) override {
    Ask(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
  }
  bool Choose(const QString& text, const QString& first, const QString& second) override {
    const auto box = MakePlainBox(QMessageBox::Question, text, QMessageBox::NoButton,
                                  QApplication::activeWindow());
    QPushButton* yes = box->addButton(first, QMessageBox::AcceptRole);
    QPushButton* no = box->addButton(second, QMessageBox::RejectRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    box->exec();
    return box->clickedButton() == yes;
  }
};

class QtFileDialogs final : public FileDialogs {
 public:
  std::optional<QString> Open(const FileDialogEntry& entry, const QString& start) override {
    const auto dialog = MakeOpenDialog(entry, start, QApplication::activeWindow());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().front();
  }

  std::optional<QString> Save(const FileDialogEntry& entry, const QString& start,
                              const NameCheck& accept) override {
    QString where = start;
    while (true) {
      QFileDialog dialog(QApplication::activeWindow(), entry.title(), where, entry.qtFilter());
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setDefaultSuffix(entry.defaultSuffix());
      // A name typed without extension takes the one of the type chosen ("CSV (*.csv)"), so
      // that the file is what the list said; "All files (*.*)" keeps the default.
      QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        static const QRegularExpression single(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
        const auto match = single.match(f);
        if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
      });
      // The caller asks its own question about existing files.
      dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
      if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
      const QString chosen = dialog.selectedFiles().front();
      chosenFilter_ =
          std::max(0, static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())));
      if (!accept || accept(chosen)) return chosen;
      where = chosen;
    }
  }
  int ChosenFilter() const override { return chosenFilter_; }

 private:
  int chosenFilter_ = 0;
};

class QtDesktopOpener final : public DesktopOpener {
 public:
  bool Open(const QString& pathOrAddress) override {
    return QDesktopServices::openUrl(DesktopUrlFor(pathOrAddress));
  }
};

class QtClipboard final : public ClipboardAccess {
 public:
  ~QtClipboard() override { QObject::disconnect(focusWatch_); }

  // Plain text marked as a secret, so that clipboard histories do not keep passwords.
  bool SetText(const QString& text) override {
    QClipboard* clipboard = QApplication::clipboard();
    QMimeData* data = MakeSecretMimeData(text);
    // A mark of this copy alone tells it apart from anything copied later, without keeping
    // the text itself to compare.
    data->setData(QLatin1String(kCopyMark), QByteArray::number(++copies_));
    clipboard->setMimeData(data);
    // Checked by the mark: reading the text back would leave one more copy of it.
    return HoldsLastCopy();
  }
  bool HoldsLastCopy() override {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return copies_ != 0 && data &&
           data->data(QLatin1String(kCopyMark)) == QByteArray::number(copies_);
  }
  bool Clear() override {
    EmptyClipboard();
    // A compositor that refuses a window without the focus gets the same request again
    // as soon as the window has it back.
    retryOnFocus_ = OnWayland() && QGuiApplication::applicationState() != Qt::ApplicationActive;
    return IsEmpty();
  }

 private:
  static constexpr const char* kCopyMark = "application/x-brindlevault-copy";

  static bool IsEmpty() {
    // After clear() there may be no data at all; on Wayland an empty text stands in place.
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return !data || data->formats().isEmpty() || (data->hasText() && data->text().isEmpty());
  }
  void RetryOnFocus(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive || !retryOnFocus_) return;
    retryOnFocus_ = false;
    // Still ours, or the empty text a refusing compositor never took: the toolkit cannot
    // tell the two apart. A text copied since in another program is left alone.
    const QMimeData* data = QApplication::clipboard()->mimeData();
    // The mark first: reading a copy's text would leave one more copy of it.
    if ((data && data->hasFormat(QLatin1String(kCopyMark))) || IsEmpty()) EmptyClipboard();
  }

  quint64 copies_ = 0;
  bool retryOnFocus_ = false;
  QMetaObject::Connection focusWatch_ =
      QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, qGuiApp,
                       [this](Qt::ApplicationState state) { RetryOnFocus(state); });
};

}  // namespace

std::unique_ptr<QFileDialog> MakeOpenDialog(const FileDialogEntry& entry, const QString& start,
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
