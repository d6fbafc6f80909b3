#include "profile/NodeCodec.h"

#include <array>

namespace bv {
namespace {

constexpr std::size_t kFieldCount = std::size(kTextFields);

bool FieldUsed(const TextFieldInfo& field, const TNodeData& data) {
  return !field.accountOnly || data.IsAccount != 0;
}

std::uint8_t Flag(std::uint8_t value) { return value != 0 ? 1 : 0; }

std::string& Stored(TNodeRecord& record, std::size_t k) {
  return record.*kRecordTextSlots[k + 1].member;
}

const std::string& Stored(const TNodeRecord& record, std::size_t k) {
  return record.*kRecordTextSlots[k + 1].member;
}

// What a save keeps of a field: the plain value cut to what survives (a longer one would be
// cut once enciphered and could not be read back); nothing for a field the node does not use.
std::string_view Kept(const TNodeData& data, std::size_t k) {
  const auto& field = kTextFields[k];
  if (!FieldUsed(field, data)) return {};
  return std::string_view(data.*field.member).substr(0, field.survivingLength);
}

}  // namespace

void EncipherNode(const TNodeData& data, std::int32_t level, std::string_view marker,
                  FieldCipher& cipher, TNodeRecord& record) {
  record.Marker.assign(marker);
  std::array<std::string_view, kFieldCount> kept;
  std::array<std::string*, kFieldCount> stored;
  for (std::size_t k = 0; k < kFieldCount; ++k) {
    kept[k] = Kept(data, k);
    stored[k] = &Stored(record, k);
  }
  cipher.EncipherEach(kept, stored);
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
  std::array<std::string_view, kFieldCount> texts;
  std::array<std::string*, kFieldCount> plains;
  std::size_t used = 0;
  for (std::size_t k = 0; k < kFieldCount; ++k) {
    const auto& field = kTextFields[k];
    if (!FieldUsed(field, data)) continue;
    texts[used] = Stored(record, k);
    plains[used++] = &(data.*field.member);
  }
  // A field that does not decipher stays empty; the others are kept.
  static_cast<void>(cipher.DecipherEach({texts.data(), used}, {plains.data(), used}));
  for (const auto& field : kTextFields) {
    std::string& plain = data.*field.member;
    if (plain.size() > field.maxLength) plain.resize(field.maxLength);
  }
  return data;
}

bool RecordMatches(const TNodeRecord& record, const TNodeData& data, FieldCipher& cipher) {
  if (record.IsAccount != Flag(data.IsAccount) || record.IsCategory != Flag(data.IsCategory) ||
      record.ImageIndex != data.ImageIndex)
    return false;
  std::array<std::string_view, kFieldCount> stored;
  std::array<std::string_view, kFieldCount> kept;
  for (std::size_t k = 0; k < kFieldCount; ++k) {
    stored[k] = Stored(record, k);
    kept[k] = Kept(data, k);
  }
  return cipher.DeciphersTo(stored, kept);
}

}  // namespace bv
