#pragma once
// The fields a merge compares one by one: the ten texts of a node in record order, then its
// picture. The kind is not among them: a node's kind and name are what it is known by.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "profile/NodeData.h"

namespace bv {

inline constexpr int kNameField = 0;  // kTextFields[0]
inline constexpr int kPictureField = 10;
inline constexpr int kMergedFieldCount = 11;

// A set of fields, one bit per field number.
using FieldSet = std::uint16_t;
[[nodiscard]] constexpr FieldSet FieldBit(int field) { return static_cast<FieldSet>(1u << field); }

[[nodiscard]] bool FieldAgrees(const TNodeData& a, const TNodeData& b, int field);
void CopyFieldValue(TNodeData& to, const TNodeData& from, int field);

// The fields in which a and b differ.
[[nodiscard]] FieldSet DifferingFields(const TNodeData& a, const TNodeData& b);
// How many fields agree: the likeness of two namesakes.
[[nodiscard]] int AgreeingFieldCount(const TNodeData& a, const TNodeData& b);

// Hashes of the whole record, and of everything but the name (for spotting renames).
[[nodiscard]] std::size_t ContentHash(const TNodeData& data);
[[nodiscard]] std::size_t ContentHashWithoutName(const TNodeData& data);

}  // namespace bv
