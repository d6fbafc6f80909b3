#pragma once
// Records spliced together from enciphered fields. Each field of a record is enciphered alone,
// with the profile's one key and a fixed starting vector, and a record carries no check of its
// integrity: whoever can write the file can copy the enciphered password of an account into
// another field (a category's name, an account's address) without knowing the master password,
// and the copy then reads in clear wherever that field is shown. A version of the profile the
// user did not write (a conflict copy, the file changed on disk) is checked for such records
// before it is taken in, and they are left out.

#include <string>
#include <vector>

#include "profile/ProfileTree.h"

namespace bv {

struct SplicedRecord {
  std::string parentPath;  // the names of its ancestors, joined by "/"; empty at the top level
  std::size_t row = 0;     // its position among its siblings, from 0
  int field = 0;           // the field that repeats a secret: its index in kTextFields
};

// The nodes of incoming in which a field that is shown (any but the password and the answer)
// repeats a password or an answer of incoming or of own: the whole value, or the start of one
// at least a cipher block (8 bytes) long. A node found is reported, not its subtree.
[[nodiscard]] std::vector<SplicedRecord> FindSplicedRecords(const ProfileTree& incoming,
                                                            const ProfileTree& own);

// Removes those nodes, with the nodes they hold, from incoming; returns what was removed, in
// the order of the tree.
std::vector<SplicedRecord> RemoveSplicedRecords(ProfileTree& incoming, const ProfileTree& own);

}  // namespace bv
