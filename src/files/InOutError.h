#pragma once
// Input/output failures on files. The operation stops and the application's general
// handler shows what() — the run-time text of the failure, Windows-1252 bytes.

#include <stdexcept>
#include <string>

namespace bv {

// Run-time error numbers with texts of their own; any other number N reads "Error I/O N".
enum InOutErrorCode : int {
  kFileNotFound = 2,
  kInvalidFileName = 3,
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,
  kReadBeyondEnd = 100,
  kDiskFull = 101,
};

[[nodiscard]] std::string InOutErrorText(int code);

class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int code);
  // The system error number translated to a run-time error number: the six above where one
  // fits, otherwise the system number itself.
  [[nodiscard]] static EInOutError FromErrno(int systemError);

  int ErrorCode() const { return code_; }
  // The system error number the failure came from, 0 when it has none.
  int SystemError() const { return systemError_; }
  // The file that could not be created (UTF-8), for failures that name it; else empty.
  const std::string& FileName() const { return fileName_; }

 protected:
  EInOutError(int code, const std::string& text);
  // A failure of the system's with a text of its own (what()); fileName names the file that
  // could not be created, or is empty.
  EInOutError(const std::string& text, int systemError, std::string fileName);

 private:
  [[nodiscard]] static EInOutError Translated(int systemError);

  int code_;
  int systemError_ = 0;
  std::string fileName_;
};

// A save aimed at a character or block device, a FIFO or a socket: refused before anything
// is touched. what() is the English text the command-line tool prints; the window shows its
// own message instead.
class ENotRegularFile : public EInOutError {
 public:
  ENotRegularFile();
};

// Throws EInOutError::FromErrno(errno).
[[noreturn]] void ThrowLastError();

}  // namespace bv
