#pragma once
// Secrets held in Qt texts. A QString or QByteArray shares its buffer with every copy made
// of it, so overwriting a secret in place is sound only for its last owner: any other owner
// would be left holding zeros. Hence two rules for every secret the program holds:
//  - a secret handed to another object (a box, the clipboard) is a copy with a buffer of
//    its own, never a share of the giver's;
//  - a wipe overwrites only a buffer no other text shares, and otherwise just lets it go;
//    the last owner's release then goes through the wiping free().

#include <QByteArray>
#include <QString>

class QLineEdit;

namespace bv {

// A copy of text in a buffer of its own, for handing a secret to another owner.
[[nodiscard]] QString OwnCopy(const QString& text);

// Overwrites the whole buffer, spare capacity included, when text is its last owner, then
// empties text.
void WipeQString(QString& text);
void WipeQByteArray(QByteArray& bytes);

// Empties the box and forgets its undo history, then overwrites the text it held when the
// box was that text's last owner.
void WipeLineEdit(QLineEdit* box);

}  // namespace bv
