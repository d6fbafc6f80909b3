#include "files/InOutError.h"

#include <cerrno>
#include <utility>

namespace bv {

std::string InOutErrorText(int code) {
  switch (code) {
    case kFileNotFound: return "Archivo no encontrado";
    case kInvalidFileName: return "Nombre de Archivo inv\xE1lido";
    case kTooManyOpenFiles: return "Demasiados archivos abiertos";
    case kAccessDenied: return "Acceso al archivo denegado";
    case kReadBeyondEnd: return "Lectura m\xE1s all\xE1 del fin del archivo";
    case kDiskFull: return "Disco lleno";
    default: return "Error I/O " + std::to_string(code);
  }
}

EInOutError::EInOutError(int code) : EInOutError(code, InOutErrorText(code)) {}

EInOutError::EInOutError(int code, const std::string& text)
    : std::runtime_error(text), code_(code) {}

EInOutError::EInOutError(const std::string& text, int systemError, std::string fileName)
    : EInOutError(Translated(systemError).ErrorCode(), text) {
  systemError_ = systemError;
  fileName_ = std::move(fileName);
}

EInOutError EInOutError::FromErrno(int systemError) {
  EInOutError error = Translated(systemError);
  error.systemError_ = systemError;
  return error;
}

EInOutError EInOutError::Translated(int systemError) {
  switch (systemError) {
    case ENOENT: return EInOutError(kFileNotFound);
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return EInOutError(kInvalidFileName);
    case EMFILE:
    case ENFILE: return EInOutError(kTooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EISDIR: return EInOutError(kAccessDenied);
    case ENOSPC:
    case EDQUOT: return EInOutError(kDiskFull);
    default: break;
  }
  // A system number equal to one of ours (EIO is 5) still reads "Error I/O N".
  return EInOutError(systemError, "Error I/O " + std::to_string(systemError));
}

ENotRegularFile::ENotRegularFile()
    : EInOutError(kAccessDenied,
                  "not a regular file (a device, FIFO or socket): saving there is refused") {}

void ThrowLastError() { throw EInOutError::FromErrno(errno); }

}  // namespace bv
