#include "crypto/FieldCipher.h"

#include <exception>

#include "crypto/Blowfish.h"
#include "crypto/Bytes.h"
#include "crypto/ChainBatch.h"
#include "crypto/Exceptions.h"
#include "crypto/FormatRegistry.h"

namespace bv {
namespace {

std::uint8_t* Data(std::string& bytes) { return reinterpret_cast<std::uint8_t*>(bytes.data()); }

// The XX class as registered now: the standard one is converted without temporary strings;
// a class registered in its place goes through the checked conversions.
bool StandardXX() { return FindFormat(kFormatIdXX) == TStringFormat_XX::Class(); }

}  // namespace

std::string EncipherField(std::string_view text, std::string_view key) {
  TCipher_Blowfish cipher(key);
  cipher.SetMode(cmMode0);
  return cipher.ProcessText(text, actEncipher, kFormatIdXX);
}

std::string DecipherField(std::string_view text, std::string_view key) {
  TCipher_Blowfish cipher(key);
  cipher.SetMode(cmMode0);
  return cipher.ProcessText(text, actDecipher, kFormatIdXX);
}

std::size_t EncipheredLength(std::size_t n) {
  return n == 0 ? 0 : (n + 44) / 45 + 4 * ((n + 2) / 3);
}

FieldCipher::FieldCipher(std::string_view key)
    : cipher_(std::make_unique<TCipher_Blowfish>(key)),
      chains_(std::make_unique<ChainBatch>(*cipher_)) {
  cipher_->SetMode(cmMode0);
}

FieldCipher::~FieldCipher() = default;

void FieldCipher::RequireKeyed() const {
  if (!cipher_->IsKeyed()) throw CipherNotInitialized(cipher_->ClassName());
}

void FieldCipher::WipeDecoded() {
  WipeBytes(bytes_.data(), 0, bytes_.size());
  bytes_.clear();
}

// Every text starts from the vector and leaves the cipher's own chain untouched, which is
// what resetting the chain before and after each text gives.
std::string FieldCipher::Encipher(std::string_view text) {
  if (text.empty()) return {};
  RequireKeyed();
  std::string bytes(text);
  const TextSpan whole{0, bytes.size()};
  chains_->Encipher(Data(bytes), {&whole, 1});
  return EncodeToFormat(bytes, kFormatIdXX);
}

std::string FieldCipher::Decipher(std::string_view text) {
  if (text.empty()) return {};
  std::string bytes = DecodeFromFormat(text, kFormatIdXX);  // malformed text fails before the key
  RequireKeyed();
  const TextSpan whole{0, bytes.size()};
  chains_->Decipher(Data(bytes), {&whole, 1});
  return bytes;
}

void FieldCipher::EncipherEach(std::span<const std::string_view> texts,
                               std::span<std::string* const> out) {
  for (const std::string_view text : texts)
    if (!text.empty()) RequireKeyed();
  bytes_.clear();
  spans_.clear();
  for (const std::string_view text : texts) {
    spans_.push_back({bytes_.size(), text.size()});
    bytes_.append(text);
  }
  chains_->Encipher(Data(bytes_), spans_);
  const bool standard = StandardXX();
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    const std::string_view bytes =
        std::string_view(bytes_).substr(spans_[i].offset, spans_[i].size);
    if (standard) {
      TStringFormat_XX::Class()->AssignText(bytes, *out[i]);
    } else {
      *out[i] = EncodeToFormat(bytes, kFormatIdXX);
    }
  }
}

void FieldCipher::DecodeAll(std::span<const std::string_view> texts) {
  bytes_.clear();
  spans_.clear();
  decoded_.clear();
  const bool standard = StandardXX();
  for (const std::string_view text : texts) {
    const std::size_t start = bytes_.size();
    bool decoded = true;  // the empty text deciphers to itself, keyed or not
    if (!text.empty()) {
      if (standard) {
        decoded = TStringFormat_XX::Class()->AppendBinary(text, bytes_);
      } else {
        try {
          bytes_ += DecodeFromFormat(text, kFormatIdXX);
        } catch (const std::exception&) {
          decoded = false;
        }
      }
      decoded = decoded && cipher_->IsKeyed();
    }
    if (!decoded) bytes_.resize(start);
    spans_.push_back({start, bytes_.size() - start});
    decoded_.push_back(decoded);
  }
  chains_->Decipher(Data(bytes_), spans_);
}

bool FieldCipher::DecipherEach(std::span<const std::string_view> texts,
                               std::span<std::string* const> out) {
  DecodeAll(texts);
  bool all = true;
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    out[i]->assign(bytes_, spans_[i].offset, spans_[i].size);
    all = all && decoded_[i];
  }
  WipeDecoded();
  return all;
}

bool FieldCipher::DeciphersTo(std::span<const std::string_view> texts,
                              std::span<const std::string_view> plains) {
  DecodeAll(texts);
  bool all = true;
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    all = all && decoded_[i] &&
          std::string_view(bytes_).substr(spans_[i].offset, spans_[i].size) == plains[i];
  }
  WipeDecoded();
  return all;
}

}  // namespace bv
