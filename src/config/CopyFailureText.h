#pragma once
// The text the user reads when a copy of a profile (a backup, a combined conflict copy) could
// not be kept: the program's own explanation, in its language, for a folder it refuses to use
// (messages 351 and 352); the run-time text of any other failure. Windows-1252 bytes.

#include <string>

#include "files/InOutError.h"

namespace bv {

[[nodiscard]] std::string CopyFailureText(const EInOutError& error);

}  // namespace bv
