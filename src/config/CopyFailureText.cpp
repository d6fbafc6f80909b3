#include "config/CopyFailureText.h"

#include "config/MessageIds.h"
#include "config/Messages.h"
#include "config/ProgramPaths.h"
#include "files/BackupStore.h"

namespace bv {

std::string CopyFailureText(const EInOutError& error) {
  const auto* unsafe = dynamic_cast<const EUnsafeFolder*>(&error);
  if (!unsafe) return error.what();
  std::string text =
      MessageText(unsafe->reason() == EUnsafeFolder::Reason::Link ? msg::kCopyFolderIsLink
                                                                  : msg::kCopyFolderOfOtherUser);
  const std::size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, PathToSetting(unsafe->folder()));
  return text;
}

}  // namespace bv
