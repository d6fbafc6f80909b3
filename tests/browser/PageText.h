#pragma once
// A compact picture of a page for assertions, one string per paragraph:
//   "{7}Acme"        a piece in style 7        "{5#2}Edit"  link 2 in style 5
//   "*F " / "*L "    field / link bullet       "^"          centred paragraph
//   "----"           a rule                    "{11@}"      a time piece
// Message n reads "M<n>" unless the test gives other texts.

#include <map>
#include <string>
#include <vector>

#include "browser/DetailPage.h"

namespace bv::test {

std::vector<std::string> Lines(const DetailPage& page);

// Message texts "M<n>", with the given exceptions (Windows-1252).
MessageFn FixedMessages(std::map<int, std::string> overrides = {});

}  // namespace bv::test
