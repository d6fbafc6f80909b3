#include "config/WipedQtText.h"

#include <QLineEdit>
#include <type_traits>

#include "crypto/Bytes.h"

namespace bv {
namespace {

template <class Text>
void WipeIfLastOwner(Text& text) {
  auto& d = text.data_ptr();
  // isShared() also holds for static data (a literal), which is never written to.
  if (!d.isShared()) {
    using Unit = std::remove_pointer_t<decltype(d.data())>;
    // The allocation may hold spare room before the text (after a removal at its front)
    // as well as after it; a longer secret may have been kept in either.
    const qsizetype units = d.freeSpaceAtBegin() + d.size + d.freeSpaceAtEnd();
    WipeBytes(d.data() - d.freeSpaceAtBegin(), 0, static_cast<std::size_t>(units) * sizeof(Unit));
  }
  text = Text();
}

}  // namespace

QString OwnCopy(const QString& text) {
  return text.isEmpty() ? QString() : QString(text.constData(), text.size());
}

void WipeQString(QString& text) { WipeIfLastOwner(text); }

void WipeQByteArray(QByteArray& bytes) { WipeIfLastOwner(bytes); }

void WipeLineEdit(QLineEdit* box) {
  if (!box) return;
  QString held = box->text();
  // setText forgets the undo history, which holds the typed characters too. Once the box has
  // let go, held is the last owner unless the text was handed to someone else as well.
  box->setText(QString());
  box->clear();
  WipeQString(held);
}

}  // namespace bv
