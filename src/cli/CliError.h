#pragma once
// Failures of brindlevault-cli: each kind ends the program with its own exit code and a
// one-line message on stderr (UTF-8).

#include <stdexcept>
#include <string>

namespace bv::cli {

enum class ExitCode : int {
  kOk = 0,
  kInternal = 1,      // anything unforeseen
  kUsage = 2,         // wrong command line
  kFileError = 3,     // a file that cannot be found, read or written
  kNotProfile = 4,    // not a Brindlevault 3 profile
  kOtherEdition = 5,  // a profile of another edition ("BVPro")
  kWrongPassword = 6,
  kBadJson = 7,         // not JSON, or not the shape of a profile
  kBadCsv = 7,          // malformed CSV, or a header without a Title column
  kBadList = 7,         // a breach list not sorted or not in the HASH:COUNT form
  kTooLong = 8,         // a value longer than its field keeps
  kNotCp1252 = 9,       // a character without a Windows-1252 form
  kFileExists = 10,     // create without --force over an existing file
  kNoPassword = 11,     // no terminal to ask on, the two entries differ, an empty KDBX password
  kNoSuchAccount = 12,  // totp: no account at the path
  kTwoAccounts = 13,    // totp: more than one account at the path
  kNoSeed = 14,         // totp: the account has no seed that gives codes
};

class ECliError : public std::runtime_error {
 public:
  ECliError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
  [[nodiscard]] ExitCode Code() const { return code_; }

 private:
  ExitCode code_;
};

}  // namespace bv::cli
