#include "profile/MergeFields.h"

#include <string_view>

namespace bv {
namespace {

std::size_t Combine(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

std::size_t HashFrom(const TNodeData& data, int firstText) {
  std::size_t seed = std::hash<int>()(static_cast<int>(data.Kind()));
  for (int k = firstText; k < kPictureField; ++k)
    seed = Combine(seed, std::hash<std::string_view>()(data.*kTextFields[k].member));
  return Combine(seed, std::hash<std::int32_t>()(data.ImageIndex));
}

}  // namespace

bool FieldAgrees(const TNodeData& a, const TNodeData& b, int field) {
  if (field == kPictureField) return a.ImageIndex == b.ImageIndex;
  const auto member = kTextFields[field].member;
  return a.*member == b.*member;
}

void CopyFieldValue(TNodeData& to, const TNodeData& from, int field) {
  if (field == kPictureField) {
    to.ImageIndex = from.ImageIndex;
  } else {
    const auto member = kTextFields[field].member;
    to.*member = from.*member;  // assigned into the existing buffer: no stray copy of a secret
  }
}

FieldSet DifferingFields(const TNodeData& a, const TNodeData& b) {
  FieldSet differing = 0;
  for (int field = 0; field < kMergedFieldCount; ++field)
    if (!FieldAgrees(a, b, field)) differing |= FieldBit(field);
  return differing;
}

int AgreeingFieldCount(const TNodeData& a, const TNodeData& b) {
  int agreeing = 0;
  for (int field = 0; field < kMergedFieldCount; ++field) agreeing += FieldAgrees(a, b, field);
  return agreeing;
}

std::size_t ContentHash(const TNodeData& data) {
  return Combine(HashFrom(data, kNameField + 1), std::hash<std::string_view>()(data.Name));
}

std::size_t ContentHashWithoutName(const TNodeData& data) { return HashFrom(data, kNameField + 1); }

}  // namespace bv
