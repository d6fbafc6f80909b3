#pragma once
// The XML document inside a KDBX 4 file: the profile's owner and title in the meta data, the
// pictures in use as custom icons, and the tree under one root group.

#include <cstdint>
#include <memory>
#include <span>

#include "export/SecureBytes.h"
#include "profile/NodeData.h"
#include "profile/ProfileTree.h"

namespace Botan {
class StreamCipher;
}

namespace bv {

// The inner random stream (ChaCha20) that protected values are XOR-ed with, in document
// order. Its key and nonce come from SHA-512 of the 64-byte inner stream key.
class InnerStream {
 public:
  explicit InnerStream(std::span<const std::uint8_t, 64> innerKey);
  ~InnerStream();
  InnerStream(const InnerStream&) = delete;
  InnerStream& operator=(const InnerStream&) = delete;

  void Xor(std::span<std::uint8_t> bytes);

 private:
  std::unique_ptr<Botan::StreamCipher> cipher_;
};

// Names of the custom fields that carry what KDBX has no standard field for.
inline constexpr const char* kKdbxDescriptionField = "Description";
inline constexpr const char* kKdbxQuestionField = "Question";
inline constexpr const char* kKdbxAnswerField = "Answer";
inline constexpr const char* kKdbxMailField = "E-mail";
inline constexpr const char* kKdbxAccountTypeField = "Account type";
// The one-time password seed, an otpauth:// address, as KeePassXC keeps it.
inline constexpr const char* kKdbxOtpField = "otp";

// KDBX 4 time: seconds since 0001-01-01 00:00 UTC, 8 bytes little-endian, in Base64.
std::string KdbxTimeText(std::int64_t unixSeconds);

// Appends the whole XML document to out. Every group, entry and icon gets a random UUID.
// Texts are written as UTF-8 with LF line ends; a character XML 1.0 cannot carry (a control
// character other than tab and line end) makes an entry's field a protected value, which
// carries it unchanged, and is written as its visible control picture (U+2400 + code) in
// the names and notes of groups and in the database name and description.
void AppendKdbxXml(SecureBytes& out, const TProfileHeader& header, const ProfileTree& tree,
                   InnerStream& stream, std::int64_t unixSecondsNow);

}  // namespace bv
