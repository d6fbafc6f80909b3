#include "tools/SecretClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <string.h>

namespace bv {

namespace {

// Holds its own copy of the secret and overwrites it when the clipboard lets go of it.
// Its text/plain shares the buffer of secret_; asking for the text in another format (UTF-8
// bytes, as the clipboard itself does) makes copies that belong to the caller.
class SecretMimeData final : public QMimeData {
 public:
  explicit SecretMimeData(const QString& text)
      // A copy of its own, so that wiping it never touches the text of the window it came from.
      : secret_(text.constData(), text.size()) {
    setText(secret_);
  }
  ~SecretMimeData() override {
    // Written through the shared buffer: detaching would wipe a fresh copy and free the old one.
    if (!secret_.isEmpty())
      explicit_bzero(const_cast<QChar*>(secret_.constData()),
                     static_cast<std::size_t>(secret_.size()) * sizeof(QChar));
  }

 private:
  const QString secret_;
};

}  // namespace

QMimeData* MakeSecretMimeData(const QString& text) {
  auto* data = new SecretMimeData(text);
  data->setData(QString::fromLatin1(kPasswordManagerHintFormat),
                QByteArray(kPasswordManagerHintSecret));
  return data;
}

void CopySecretToClipboard(const QString& text) {
  QGuiApplication::clipboard()->setMimeData(MakeSecretMimeData(text));
}

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

void HandOverClipboardBeforeExit() {
  if (!OnWayland()) return;
  // Long enough for a round trip to a busy compositor, short enough not to be noticed.
  constexpr int kMilliseconds = 300;
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < kMilliseconds)
    QCoreApplication::processEvents(QEventLoop::AllEvents, kMilliseconds / 10);
}

void EmptyClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!OnWayland()) {
    clipboard->clear();
    return;
  }
  // Marked like a secret, so that a clipboard history does not record an empty entry either.
  clipboard->setMimeData(MakeSecretMimeData(QString()));
}

}  // namespace bv
