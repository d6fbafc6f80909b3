#pragma once
// From a failure (an exception) to the text the user reads, in the program's language: the
// one way every error box and the general handler say what went wrong.
//
// A file failure reads as its run-time text ("Archivo no encontrado", "Acceso al archivo
// denegado", "Error I/O 13"...), a file that could not be created as "Cannot create file
// "<name>". <reason>", a settings file that cannot be written as "Unable to write to
// <file>", all from the messages of the language file; lack of memory has a message of its
// own, and anything else shows its own text, or a general message when it has none.

#include <QString>
#include <exception>

#include "files/InOutError.h"

namespace bv {

[[nodiscard]] QString FailureText(const std::exception_ptr& failure);
// The failure being handled: for use inside a catch block.
[[nodiscard]] QString CurrentFailureText();
// The run-time text of a file failure ("Acceso al archivo denegado", "Error I/O 5"), from the
// language file; empty for a failure with a text of its own, or when the file lacks it.
[[nodiscard]] QString InOutErrorMessage(const EInOutError& error);

}  // namespace bv
