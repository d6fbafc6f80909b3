#pragma once
// Trees of the merge tests written as text, and read back the same way:
//
//   C:Correo(A:Gmail{u=ana,p=x} A:Gmail{u=eva} G:Viejo) C:Juegos
//
// C, G and A are category, group and account; the name runs to a space, "{", "(" or ")" ("_"
// stands for a space); fields in braces are u user name, p password, q question, r answer,
// m mail, w address, t account type, d description, n notes, i picture; children in brackets.
// Text gives fields in that order, empty ones and picture 0 left out.

#include <string>

#include "profile/ProfileTree.h"

namespace bv::test {

ProfileTree TreeFromText(const std::string& text);
std::string TextOf(const ProfileTree& tree);

}  // namespace bv::test
