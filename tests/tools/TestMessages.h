#pragma once
// Loads a language file whose messages are easy to recognise: message N reads "mN",
// except those given explicitly.

#include <map>
#include <string>

namespace bv::test {

void LoadRecognisableMessages(const std::map<int, std::string>& overrides = {});

}  // namespace bv::test
