#pragma once
// The master password of a command: typed on the terminal without echo, or the first line
// of standard input. Returned as Windows-1252 bytes, the form keys take in a profile.

#include <string>

namespace bv::cli {

struct PasswordOptions {
  bool fromStdin = false;
};

// Throws ECliError (kNoPassword) when there is no terminal to ask on or the input ends before
// a line (an empty line is an empty password), and (kNotCp1252) for a character without a
// Windows-1252 form.
std::string AskPassword(const std::string& prompt, const PasswordOptions& options);

// Asks twice on a terminal (once from stdin); the two must agree.
std::string AskNewPassword(const PasswordOptions& options);

// The password of an exported KDBX file, as UTF-8 (that format's own form): asked twice on a
// terminal, or the next line of standard input. An empty one is refused (kNoPassword).
std::string AskExportPassword(const PasswordOptions& options);

}  // namespace bv::cli
