#pragma once
// Every command of the main window: its name (the QAction's objectName and its key in the
// language files), category, built-in Spanish caption and hint, shortcut and picture
// number in the button list. Captions and hints are replaced from the language file.

#include <span>

namespace bv {

namespace category {
inline constexpr const char* kSiempreOn = "siempreon";       // nothing needed
inline constexpr const char* kPerfilOn = "perfilon";         // an open profile
inline constexpr const char* kVarios = "varios";             // unsaved changes
inline constexpr const char* kSelCuenta = "selcuenta";       // a selected account
inline constexpr const char* kSelGrupo = "selgrupo";         // a selected category or group
inline constexpr const char* kSeleccionado = "seleccionado"; // any selected node
inline constexpr const char* kCopiar = "copiar";             // an account field to copy
inline constexpr const char* kMenuPpal = "menuppal";         // menu headings, never switched
}  // namespace category

struct ActionSpec {
  const char* name;
  const char* category;
  const char* caption;   // UTF-8
  const char* hint;      // UTF-8
  const char* shortcut;  // QKeySequence text, "" for none
  int picture;           // -1 for none
};

std::span<const ActionSpec> MainActionTable();

}  // namespace bv
