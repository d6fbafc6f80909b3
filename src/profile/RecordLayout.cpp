#include "profile/RecordLayout.h"

#include <algorithm>
#include <cstring>

namespace bv {
namespace {

static_assert(std::size(kRecordTextSlots) == std::size(kTextFields) + 1);
static_assert(kRecordTextSlots[10].slot.offset + kRecordTextSlots[10].slot.capacity + 1 ==
              kIsAccountOffset);
static_assert(kVerifierSlot.offset + kVerifierSlot.capacity + 1 == kHeaderSize);

constexpr bool SlotsMatchNodeFields() {
  for (std::size_t k = 0; k < std::size(kTextFields); ++k) {
    const auto& record = kRecordTextSlots[k + 1];
    if (std::string_view(record.name) != kTextFields[k].name) return false;
    if (record.slot.capacity != kTextFields[k].maxLength) return false;
    if (record.slot.offset !=
        kRecordTextSlots[k].slot.offset + kRecordTextSlots[k].slot.capacity + 1)
      return false;
  }
  return true;
}
static_assert(SlotsMatchNodeFields());

void PutText(std::span<std::uint8_t> out, TextSlot slot, std::string_view text) {
  const std::size_t length = std::min(text.size(), slot.capacity);
  out[slot.offset] = static_cast<std::uint8_t>(length);
  std::memcpy(out.data() + slot.offset + 1, text.data(), length);
}

// A length byte above the capacity (a damaged file) is taken as the capacity: the text never
// reaches into the next field.
void GetText(std::span<const std::uint8_t> in, TextSlot slot, std::string& out) {
  const std::size_t length = std::min<std::size_t>(in[slot.offset], slot.capacity);
  out.assign(reinterpret_cast<const char*>(in.data() + slot.offset + 1), length);
}

void PutInt32(std::span<std::uint8_t> out, std::size_t offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int k = 0; k < 4; ++k) out[offset + k] = static_cast<std::uint8_t>(bits >> (8 * k));
}

std::int32_t GetInt32(std::span<const std::uint8_t> in, std::size_t offset) {
  std::uint32_t bits = 0;
  for (int k = 0; k < 4; ++k) bits |= std::uint32_t{in[offset + k]} << (8 * k);
  return static_cast<std::int32_t>(bits);
}

}  // namespace

void EncodeHeader(const TProfileHeader& header, std::span<std::uint8_t, kHeaderSize> out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  PutText(out, kMagicSlot, header.Magic);
  PutText(out, kOwnerSlot, header.Owner);
  PutText(out, kTitleSlot, header.Title);
  PutText(out, kVerifierSlot, header.Verifier);
}

TProfileHeader DecodeHeader(HeaderBytes bytes) {
  TProfileHeader header;
  GetText(bytes, kMagicSlot, header.Magic);
  GetText(bytes, kOwnerSlot, header.Owner);
  GetText(bytes, kTitleSlot, header.Title);
  GetText(bytes, kVerifierSlot, header.Verifier);
  return header;
}

void EncodeNodeRecord(const TNodeRecord& record, MutableRecordBytes out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  for (const auto& field : kRecordTextSlots) PutText(out, field.slot, record.*field.member);
  out[kIsAccountOffset] = record.IsAccount;
  out[kIsCategoryOffset] = record.IsCategory;
  PutInt32(out, kImageIndexOffset, record.ImageIndex);
  PutInt32(out, kLevelOffset, record.Level);
}

void DecodeNodeRecord(RecordBytes bytes, TNodeRecord& out) {
  for (const auto& field : kRecordTextSlots) GetText(bytes, field.slot, out.*field.member);
  out.IsAccount = bytes[kIsAccountOffset];
  out.IsCategory = bytes[kIsCategoryOffset];
  out.ImageIndex = GetInt32(bytes, kImageIndexOffset);
  out.Level = GetInt32(bytes, kLevelOffset);
}

HeaderKind ClassifyHeader(HeaderBytes bytes) {
  constexpr std::string_view magic = TProfileHeader::kMagic;
  if (bytes[0] == magic.size() && std::memcmp(bytes.data() + 1, magic.data(), magic.size()) == 0)
    return HeaderKind::Profile;
  std::string text;
  GetText(bytes, kMagicSlot, text);
  return text.starts_with("BVPro") ? HeaderKind::OtherEdition : HeaderKind::NotProfile;
}

std::string OtherEditionName(const TProfileHeader& header) {
  constexpr std::size_t first = 9;  // character 10, counting from 1
  return header.Magic.size() > first ? header.Magic.substr(first, 5) : std::string();
}

}  // namespace bv
