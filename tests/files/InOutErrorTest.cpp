// The run-time texts of input/output failures.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "files/InOutError.h"

namespace bv {
namespace {

const std::string kPastEndText = "Lectura m\xE1s all\xE1 del fin del archivo";

TEST(InOutError, TextsFollowTheRunTimeTable) {
  const std::pair<int, std::string> systemErrors[] = {
      {ENOENT, "Archivo no encontrado"},
      {ENOTDIR, "Nombre de Archivo inv\xE1lido"},
      {ENAMETOOLONG, "Nombre de Archivo inv\xE1lido"},
      {EMFILE, "Demasiados archivos abiertos"},
      {EACCES, "Acceso al archivo denegado"},
      {EROFS, "Acceso al archivo denegado"},
      {EISDIR, "Acceso al archivo denegado"},
      {ENOSPC, "Disco lleno"},
      {EIO, "Error I/O 5"},  // the system's 5 is not our "access denied"
      {EFBIG, "Error I/O 27"},
  };
  for (const auto& [error, text] : systemErrors)
    EXPECT_EQ(EInOutError::FromErrno(error).what(), text);
  EXPECT_EQ(std::string(EInOutError(kReadBeyondEnd).what()), kPastEndText);
  EXPECT_EQ(EInOutError::FromErrno(ENOENT).ErrorCode(), kFileNotFound);
}

}  // namespace
}  // namespace bv
