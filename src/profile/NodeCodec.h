#pragma once
// One node between its in-memory data and its enciphered file record.

#include <cstdint>
#include <string>
#include <string_view>

#include "crypto/FieldCipher.h"
#include "profile/NodeData.h"
#include "profile/RecordLayout.h"

namespace bv {

// What the file keeps of a node: each text cut to the longest plain value that still
// deciphers from its field, the account-only fields empty unless the node is an account,
// the flags 0 or 1. Saving and loading a node gives exactly this back.
TNodeData SurvivingData(const TNodeData& data);

// Fills record from the node; marker is the already enciphered Marker text.
void EncipherNode(const TNodeData& data, std::int32_t level, std::string_view marker,
                  FieldCipher& cipher, TNodeRecord& record);

// A damaged field costs only itself: the plain numbers are always taken and each text is
// deciphered on its own; one that does not decipher is left empty. Account-only fields are
// read for accounts only.
TNodeData DecipherNode(const TNodeRecord& record, FieldCipher& cipher);

}  // namespace bv
