#include "profile/MasterPassword.h"

#include "crypto/FieldCipher.h"

namespace bv {

std::string PasswordOrSentinel(std::string typed) {
  if (typed.empty()) return std::string(kEmptyPasswordSentinel);
  return typed;
}

std::string MakeVerifier(std::string_view password) {
  std::string verifier = EncipherField(password, password);
  if (verifier.size() > TProfileHeader::kVerifierMax) verifier.resize(TProfileHeader::kVerifierMax);
  return verifier;
}

bool PasswordMatches(const TProfileHeader& header, std::string_view password) {
  return EncipherField(password, password) == header.Verifier;
}

bool HasMasterPassword(const TProfileHeader& header) {
  return !PasswordMatches(header, kEmptyPasswordSentinel);
}

}  // namespace bv
