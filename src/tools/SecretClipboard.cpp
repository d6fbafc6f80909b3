#include "tools/SecretClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <string.h>

namespace bv {

namespace {

// Holds its own copy of the secret and overwrites it when the clipboard lets go of it.
class SecretMimeData final : public QMimeData {
 public:
  ~SecretMimeData() override {
    const QString secret = text();
    if (!secret.isEmpty())
      explicit_bzero(const_cast<QChar*>(secret.constData()),
                     static_cast<std::size_t>(secret.size()) * sizeof(QChar));
  }
};

}  // namespace

QMimeData* MakeSecretMimeData(const QString& text) {
  auto* data = new SecretMimeData;
  // A copy of its own, so that wiping it never touches the text of the window it came from.
  data->setText(QString(text.constData(), text.size()));
  data->setData(QString::fromLatin1(kPasswordManagerHintFormat),
                QByteArray(kPasswordManagerHintSecret));
  return data;
}

void CopySecretToClipboard(const QString& text) {
  QGuiApplication::clipboard()->setMimeData(MakeSecretMimeData(text));
}

}  // namespace bv
