#pragma once
// Every command of the main window: its name (the QAction's objectName and its key in the
// language files), category, built-in Spanish caption and hint, shortcut and picture
// number in the button list. Captions and hints are replaced from the language file.

#include <span>

#include "ui/ActionCategory.h"
#include "ui/ActionId.h"

namespace bv {

struct ActionEntry {
  ActionId id;
  const char* name;
  ActionCategory category;
  const char* caption;   // UTF-8
  const char* hint;      // UTF-8
  const char* shortcut;  // QKeySequence text, "" for none
  int picture;           // -1 for none
};

// Indexed by ActionId.
std::span<const ActionEntry, kActionCount> MainActionTable();

}  // namespace bv
