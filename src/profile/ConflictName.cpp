#include "profile/ConflictName.h"

#include <algorithm>

#include "profile/MergeFields.h"
#include "profile/NodeData.h"

namespace bv {

std::string ConflictCopyName(std::string_view name, std::string_view pattern) {
  constexpr std::size_t kLongest = kTextFields[kNameField].survivingLength;
  constexpr std::string_view kPlaceholder = "%1";
  std::string withSpace;
  if (pattern.empty()) pattern = "%1 (*)";
  std::size_t at = pattern.find(kPlaceholder);
  if (at == std::string_view::npos) {
    withSpace = "%1 " + std::string(pattern);
    pattern = withSpace;
    at = 0;
  }
  const std::string_view before = pattern.substr(0, at);
  const std::string_view after = pattern.substr(at + kPlaceholder.size());
  const std::size_t room = kLongest - std::min(kLongest, before.size() + after.size());
  std::string result;
  result.reserve(kLongest);
  result.append(before).append(name.substr(0, room)).append(after);
  result.resize(std::min(result.size(), kLongest));
  return result;
}

}  // namespace bv
