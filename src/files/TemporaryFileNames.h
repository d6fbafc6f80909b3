#pragma once
// The names of the temporary files that saves write beside their target, and the removal of
// those that killed saves left behind (a power cut, or a SIGKILL where no guard could act).
//
// The name is ".NAME.~bvsave~" and six letters or digits, beside NAME (whose name is cut to
// 200 bytes in it). "~bvsave~" is the mark: nobody names a file so, while a dot, the name, a
// dot and six letters is also the shape of a user's ".p.bv3.backup".

#include <filesystem>
#include <string>
#include <string_view>

namespace bv {

// The temporary name of target without its six random characters, as a path beside it.
[[nodiscard]] std::string TemporaryNamePrefix(const std::filesystem::path& target);
// A fresh temporary name of target, its random part drawn here.
[[nodiscard]] std::string NewTemporaryName(const std::filesystem::path& target);
// Whether fileName (without folder) has the form of a temporary name of target.
[[nodiscard]] bool IsTemporaryNameOf(const std::filesystem::path& target,
                                     const std::string& fileName);

// Removes what killed saves of target left, only what is provably theirs: a file with a
// temporary name of target, a regular file of this user with no other name, untouched for a
// minute (a younger one may belong to a save still running in another process), whose
// content begins with leadingBytes, or is shorter and a beginning of them (a save killed
// before it wrote anything). Nothing is removed when leadingBytes is empty.
void RemoveLeftoverTemporaryFiles(const std::filesystem::path& target,
                                  std::string_view leadingBytes);

}  // namespace bv
