#include "tools/SecretClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

#include "config/WipedQtText.h"

namespace bv {

namespace {

// Holds its own copy of the secret and wipes it when the clipboard lets go of it. Its
// text/plain shares the buffer of secret_, and so does every text a reader took from it:
// the buffer is overwritten only once none of them holds it any more (else its last owner's
// release wipes it).
class SecretMimeData final : public QMimeData {
 public:
  explicit SecretMimeData(const QString& text) : secret_(OwnCopy(text)) { setText(secret_); }
  ~SecretMimeData() override {
    clear();  // this object's own share of the text
    WipeQString(secret_);
  }

 private:
  QString secret_;
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
