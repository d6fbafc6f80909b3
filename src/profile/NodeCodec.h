#pragma once
// One node between its in-memory data and its enciphered file record.

#include <cstdint>
#include <string>
#include <string_view>

#include "crypto/FieldCipher.h"
#include "profile/NodeData.h"
#include "profile/RecordLayout.h"

namespace bv {

// Fills record from the node; marker is the already enciphered Marker text. Each text is cut
// to the longest plain value that still deciphers from its field, the account-only fields of
// categories and groups stay empty and the flags are 0 or 1.
void EncipherNode(const TNodeData& data, std::int32_t level, std::string_view marker,
                  FieldCipher& cipher, TNodeRecord& record);

// A damaged field costs only itself: the plain numbers are always taken and each text is
// deciphered on its own; one that does not decipher is left empty. Account-only fields are
// read for accounts only.
[[nodiscard]] TNodeData DecipherNode(const TNodeRecord& record, FieldCipher& cipher);

// True when record deciphers to exactly what EncipherNode keeps of data (Level aside).
[[nodiscard]] bool RecordMatches(const TNodeRecord& record, const TNodeData& data,
                                 FieldCipher& cipher);

}  // namespace bv
