#include "ui/WordLists.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "config/Cp1252.h"

namespace bv {
namespace {

constexpr std::uint64_t kListBits = 0xFF;
constexpr std::size_t kPrefixTableBits = std::size_t{1} << 22;
// Growing keeps the table at most this full (in tenths), so that a look-up that finds
// nothing stops after a few slots of one cache line.
constexpr std::size_t kMostTenthsFull = 7;

// FNV-1a, then a mix so that the upper bits, which choose the slot, depend on every byte.
std::uint64_t HashOf(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ULL;
  }
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDULL;
  hash ^= hash >> 33;
  return hash;
}

// The slot's key: the hash without the list bits, never 0 (an empty slot).
std::uint64_t KeyOf(std::uint64_t hash) {
  const std::uint64_t key = hash & ~kListBits;
  return key == 0 ? kListBits + 1 : key;
}

std::size_t SlotOf(std::uint64_t key, std::size_t slots) {
  return static_cast<std::size_t>((static_cast<unsigned __int128>(key) * slots) >> 64);
}

std::size_t PrefixBit(std::string_view prefix) {
  return static_cast<std::size_t>(HashOf(prefix) & (kPrefixTableBits - 1));
}

// One UTF-8 character of text from at, as its Windows-1252 byte folded; false when it has
// no Windows-1252 form or is not valid UTF-8. at moves past it.
bool NextFolded(std::string_view text, std::size_t& at, unsigned char& folded) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead >= 0x20 && lead < 0x80) {  // most of every list
    folded = FoldedByte(lead);
    ++at;
    return true;
  }
  char32_t code = 0;
  std::size_t length = 1;
  if (lead < 0x80) {
    code = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    code = lead & 0x1F;
    length = 2;
  } else if ((lead & 0xF0) == 0xE0) {
    code = lead & 0x0F;
    length = 3;
  } else {
    return false;  // four-byte characters have no Windows-1252 form
  }
  if (at + length > text.size()) return false;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return false;
    code = (code << 6) | (next & 0x3F);
  }
  at += length;
  const std::optional<unsigned char> byte = UnicodeToCp1252(code);
  if (!byte || *byte < 0x20) return false;
  folded = FoldedByte(*byte);
  return true;
}

}  // namespace

unsigned char FoldedByte(unsigned char byte) {
  // Windows-1252 0xC0 to 0xFF: À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß,
  // then the same letters in lower case (÷ in place of ×) and ÿ.
  static constexpr char kLatin[] =
      "aaaaaa\xE6"
      "ceeeeiiii\xF0nooooo\xD7ouuuuy\xFEs"
      "aaaaaa\xE6"
      "ceeeeiiii\xF0nooooo\xF7ouuuuy\xFEy";
  if (byte >= 'A' && byte <= 'Z') return static_cast<unsigned char>(byte + ('a' - 'A'));
  if (byte >= 0xC0) return static_cast<unsigned char>(kLatin[byte - 0xC0]);
  switch (byte) {
    case 0x8A:
    case 0x9A: return 's';  // Š š
    case 0x8E:
    case 0x9E: return 'z';   // Ž ž
    case 0x8C: return 0x9C;  // Œ
    case 0x9F: return 'y';   // Ÿ
    default: return byte;
  }
}

std::vector<std::string_view> WordLists::ShippedFiles() {
  return {"spanish",   "french",  "ngerman", "italian",
          "brazilian", "catalan", "dutch",   "american-english"};
}

const WordLists& WordLists::Shipped() {
  static const WordLists lists(kShippedFolder, ShippedFiles());
  return lists;
}

WordLists::WordLists(const std::filesystem::path& folder,
                     const std::vector<std::string_view>& fileNames)
    : prefixes_(kPrefixTableBits / 64) {
  std::vector<std::filesystem::path> files;
  std::uintmax_t bytes = 0;
  for (const std::string_view name : fileNames) {
    std::error_code error;
    const std::filesystem::path file = folder / name;
    if (files.size() == kMaxLists || !std::filesystem::is_regular_file(file, error)) continue;
    files.push_back(file);
    bytes += std::filesystem::file_size(file, error);
  }
  // Words are ten bytes long on average, and the lists share a tenth of theirs: slots for
  // them all from the start, so that the table is seldom grown.
  slots_.assign(static_cast<std::size_t>(bytes / 11 * 10 / kMostTenthsFull) + 1024, 0);
  for (const std::filesystem::path& file : files) {
    ranksByLength_.emplace_back();
    Read(file, ranksByLength_.size() - 1);
  }
  // A word's rank: the words of its list no longer than it.
  for (auto& ranks : ranksByLength_)
    for (std::size_t length = 1; length <= kMaxLength; ++length) ranks[length] += ranks[length - 1];
}

void WordLists::Read(const std::filesystem::path& file, std::size_t list) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  std::string text(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  std::string word;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    at = end + 1;
    word.clear();
    bool usable = line.size() <= kMaxLength * 3;
    for (std::size_t i = 0; usable && i < line.size();) {
      unsigned char folded = 0;
      usable = NextFolded(line, i, folded);
      word.push_back(static_cast<char>(folded));
    }
    if (!usable || word.size() < kShortestWord || word.size() > kMaxLength) continue;
    // Another spelling of a word the list holds already ("Soleil", "soleil") counts once.
    if (Insert(HashOf(word), list)) ++ranksByLength_[list][word.size()];
    for (const std::size_t length : {kShortestWord, kPrefixBytes}) {
      if (word.size() < length) continue;
      const std::size_t bit = PrefixBit(std::string_view(word).substr(0, length));
      prefixes_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    if (word.size() > longest_) longest_ = word.size();
  }
}

bool WordLists::Insert(std::uint64_t hash, std::size_t list) {
  if ((words_ + 1) * 10 > slots_.size() * kMostTenthsFull) Grow();
  const std::uint64_t key = KeyOf(hash);
  const std::uint64_t bit = std::uint64_t{1} << list;
  for (std::size_t slot = SlotOf(key, slots_.size());; slot = Next(slot)) {
    std::uint64_t& entry = slots_[slot];
    if (entry == 0) {
      entry = key | bit;
      ++words_;
      return true;
    }
    if ((entry & ~kListBits) == key) {
      const bool added = (entry & bit) == 0;
      entry |= bit;
      return added;
    }
  }
}

std::size_t WordLists::Next(std::size_t slot) const {
  return slot + 1 == slots_.size() ? 0 : slot + 1;
}

void WordLists::Grow() {
  std::vector<std::uint64_t> old = std::move(slots_);
  slots_.assign(old.size() * 2 + 1024, 0);
  for (const std::uint64_t entry : old) {
    if (entry == 0) continue;
    std::size_t slot = SlotOf(entry & ~kListBits, slots_.size());
    while (slots_[slot] != 0) slot = Next(slot);
    slots_[slot] = entry;
  }
}

std::uint32_t WordLists::Rank(std::string_view folded) const {
  if (slots_.empty() || folded.size() < kShortestWord || folded.size() > longest_) return 0;
  const std::uint64_t key = KeyOf(HashOf(folded));
  for (std::size_t slot = SlotOf(key, slots_.size());; slot = Next(slot)) {
    const std::uint64_t entry = slots_[slot];
    if (entry == 0) return 0;
    if ((entry & ~kListBits) != key) continue;
    std::uint32_t best = 0;
    for (std::size_t list = 0; list < ranksByLength_.size(); ++list) {
      if ((entry & (std::uint64_t{1} << list)) == 0) continue;
      const std::uint32_t rank = ranksByLength_[list][folded.size()];
      if (best == 0 || rank < best) best = rank;
    }
    return best;
  }
}

bool WordLists::MayBegin(std::string_view folded) const {
  for (const std::size_t length : {kShortestWord, kPrefixBytes}) {
    if (folded.size() < length) break;
    const std::size_t bit = PrefixBit(folded.substr(0, length));
    if ((prefixes_[bit / 64] & (std::uint64_t{1} << (bit % 64))) == 0) return false;
  }
  return true;
}

}  // namespace bv
