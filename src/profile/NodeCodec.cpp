#include "profile/NodeCodec.h"

#include <exception>

namespace bv {
namespace {

bool FieldUsed(const TextFieldInfo& field, const TNodeData& data) {
  return !field.accountOnly || data.IsAccount != 0;
}

std::uint8_t Flag(std::uint8_t value) { return value != 0 ? 1 : 0; }

}  // namespace

void EncipherNode(const TNodeData& data, std::int32_t level, std::string_view marker,
                  FieldCipher& cipher, TNodeRecord& record) {
  record.Marker.assign(marker);
  for (std::size_t k = 0; k < std::size(kTextFields); ++k) {
    const auto& field = kTextFields[k];
    std::string& stored = record.*kRecordTextSlots[k + 1].member;
    if (!FieldUsed(field, data)) {
      stored.clear();
      continue;
    }
    // Cut the plain value to what survives: a longer one would be cut once enciphered and
    // could not be read back.
    const std::string_view value(data.*field.member);
    stored = cipher.Encipher(value.substr(0, field.survivingLength));
  }
  record.IsAccount = Flag(data.IsAccount);
  record.IsCategory = Flag(data.IsCategory);
  record.ImageIndex = data.ImageIndex;
  record.Level = level;
}

TNodeData DecipherNode(const TNodeRecord& record, FieldCipher& cipher) {
  TNodeData data;
  data.IsAccount = Flag(record.IsAccount);
  data.IsCategory = Flag(record.IsCategory);
  data.ImageIndex = record.ImageIndex;
  for (std::size_t k = 0; k < std::size(kTextFields); ++k) {
    const auto& field = kTextFields[k];
    if (!FieldUsed(field, data)) continue;
    try {
      std::string plain = cipher.Decipher(record.*kRecordTextSlots[k + 1].member);
      if (plain.size() > field.maxLength) plain.resize(field.maxLength);
      data.*field.member = std::move(plain);
    } catch (const std::exception&) {
      // Not valid enciphered text: this field stays empty, the others are kept.
    }
  }
  return data;
}

bool RecordMatches(const TNodeRecord& record, const TNodeData& data, FieldCipher& cipher) {
  if (record.IsAccount != Flag(data.IsAccount) || record.IsCategory != Flag(data.IsCategory) ||
      record.ImageIndex != data.ImageIndex)
    return false;
  for (std::size_t k = 0; k < std::size(kTextFields); ++k) {
    const auto& field = kTextFields[k];
    const std::string& stored = record.*kRecordTextSlots[k + 1].member;
    const std::string_view kept =
        FieldUsed(field, data)
            ? std::string_view(data.*field.member).substr(0, field.survivingLength)
            : std::string_view();
    try {
      if (cipher.Decipher(stored) != kept) return false;
    } catch (const std::exception&) {
      return false;
    }
  }
  return true;
}

}  // namespace bv
