#pragma once
// The main window's file dialogs, named as their entries are (the language files translate
// them by name).

#include <cstddef>

namespace bv {

enum class FileDialogId {
  ODPerfil,    // open a profile
  SDPerfil,    // save a profile as
  SDTXT,       // export an account as text
  SDHTML,      // export an account as HTML
  SDExportar,  // export the whole profile
};

inline constexpr std::size_t kFileDialogCount =
    static_cast<std::size_t>(FileDialogId::SDExportar) + 1;

}  // namespace bv
