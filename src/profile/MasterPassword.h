#pragma once
// The master password of a profile: the sentinel that stands for none, the verifier the
// header keeps of it, and the check on opening. The main window and brindlevault-cli
// create and open profiles through these alone.

#include <cstddef>
#include <string>
#include <string_view>

#include "profile/NodeData.h"

namespace bv {

// The master password of a profile created without one (17 characters; typed passwords
// are at most 16, so no typed password can equal it).
inline constexpr std::string_view kEmptyPasswordSentinel = "@%@emptysecret@%@";
inline constexpr std::size_t kMasterPasswordMaxLength = 16;

// An empty box stands for the empty-password sentinel.
[[nodiscard]] std::string PasswordOrSentinel(std::string typed);

// encipher-field(P, P), cut to the header's Verifier field (60 characters; the verifier of
// a password of at most 16 characters is shorter, so the cut never shows in a file).
[[nodiscard]] std::string MakeVerifier(std::string_view password);

// True when encipher-field(P, P) equals the stored Verifier exactly (length and characters).
[[nodiscard]] bool PasswordMatches(const TProfileHeader& header, std::string_view password);

// True unless the empty-password sentinel opens the profile.
[[nodiscard]] bool HasMasterPassword(const TProfileHeader& header);

}  // namespace bv
