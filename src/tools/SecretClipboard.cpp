#include "tools/SecretClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace bv {

QMimeData* MakeSecretMimeData(const QString& text) {
  auto* data = new QMimeData;
  data->setText(text);
  data->setData(QString::fromLatin1(kPasswordManagerHintFormat),
                QByteArray(kPasswordManagerHintSecret));
  return data;
}

void CopySecretToClipboard(const QString& text) {
  QGuiApplication::clipboard()->setMimeData(MakeSecretMimeData(text));
}

}  // namespace bv
