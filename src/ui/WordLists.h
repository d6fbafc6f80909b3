#pragma once
// The words of the languages the program ships, as an attacker's dictionaries: the word
// lists a Debian system keeps in /usr/share/dict (Spanish, French, German, Italian,
// Portuguese, Catalan, Dutch and English), each a dictionary of its own, read once at the
// first estimate. A list that is not installed is left out.
//
// The lists hold every inflection of every word and no frequencies, so a word's rank in its
// list is the number of words of that list that are no longer than it: an attacker who
// tries a list shortest word first. Across lists a word takes its best (smallest) rank.
//
// Words are compared folded (FoldedByte): lower case, without accents, one byte for one
// Windows-1252 character, so "Corazón", "CORAZON" and "corazon" are one word.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace bv {

// A Windows-1252 byte in the form words are compared in: letters in lower case and without
// their accent (Á and á become a, Ñ becomes n, ß becomes s), every other byte as it is.
[[nodiscard]] unsigned char FoldedByte(unsigned char byte);

class WordLists {
 public:
  // The lists of the shipped languages under /usr/share/dict, read at the first call.
  [[nodiscard]] static const WordLists& Shipped();
  static constexpr const char* kShippedFolder = "/usr/share/dict";
  [[nodiscard]] static std::vector<std::string_view> ShippedFiles();

  // Reads every file of fileNames that exists in folder (UTF-8, one word a line); a word
  // shorter than kShortestWord or with a character that Windows-1252 lacks is skipped.
  WordLists(const std::filesystem::path& folder, const std::vector<std::string_view>& fileNames);

  // The best rank of a folded word, 0 when no list holds it.
  [[nodiscard]] std::uint32_t Rank(std::string_view folded) const;
  // False when no word begins with these folded bytes (only the first kPrefixBytes count):
  // a match that starts here needs no longer look-ups.
  [[nodiscard]] bool MayBegin(std::string_view folded) const;

  [[nodiscard]] std::size_t Lists() const { return ranksByLength_.size(); }
  [[nodiscard]] std::size_t Words() const { return words_; }
  [[nodiscard]] std::size_t LongestWord() const { return longest_; }

  static constexpr std::size_t kShortestWord = 3;
  static constexpr std::size_t kPrefixBytes = 4;

 private:
  static constexpr std::size_t kMaxLists = 8;    // one bit each in a slot
  static constexpr std::size_t kMaxLength = 64;  // longer lines are no words

  void Read(const std::filesystem::path& file, std::size_t list);
  // True when the word is new to this list.
  bool Insert(std::uint64_t hash, std::size_t list);
  void Grow();
  [[nodiscard]] std::size_t Next(std::size_t slot) const;

  // Open addressing: each slot holds a word's hash in the upper bits and the lists that
  // hold the word in the lower kMaxLists bits; 0 is an empty slot.
  std::vector<std::uint64_t> slots_;
  std::size_t words_ = 0;
  std::size_t longest_ = 0;
  // For each list, the rank of a word of each folded length.
  std::vector<std::array<std::uint32_t, kMaxLength + 1>> ranksByLength_;
  // Bits set by the hashes of every word's first three and four folded bytes.
  std::vector<std::uint64_t> prefixes_;
};

}  // namespace bv
