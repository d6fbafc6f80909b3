#pragma once
// The categories the main window's commands carry. Commands are switched a whole category at
// a time; each category has a short name, the one the language of the program's documents
// uses ("perfilon"), by which it can also be switched.

#include <initializer_list>
#include <string_view>

namespace bv {

enum class ActionCategory {
  SiempreOn,     // nothing needed
  PerfilOn,      // an open profile
  Varios,        // unsaved changes
  SelCuenta,     // a selected account
  SelGrupo,      // a selected category or group
  Seleccionado,  // any selected node
  Copiar,        // an account field to copy
  MenuPpal,      // menu headings, never switched
};

// Every category, in the order above.
inline constexpr ActionCategory kActionCategories[] = {
    ActionCategory::SiempreOn, ActionCategory::PerfilOn, ActionCategory::Varios,
    ActionCategory::SelCuenta, ActionCategory::SelGrupo, ActionCategory::Seleccionado,
    ActionCategory::Copiar,    ActionCategory::MenuPpal,
};

std::string_view CategoryName(ActionCategory category);

// A set of categories, written as a braced list: {ActionCategory::PerfilOn, ...}.
class CategorySet {
 public:
  constexpr CategorySet() = default;
  constexpr CategorySet(std::initializer_list<ActionCategory> categories) {
    for (ActionCategory category : categories) bits_ |= Bit(category);
  }
  constexpr bool Contains(ActionCategory category) const { return (bits_ & Bit(category)) != 0; }
  constexpr void Add(ActionCategory category) { bits_ |= Bit(category); }
  constexpr bool operator==(const CategorySet&) const = default;

 private:
  static constexpr unsigned Bit(ActionCategory category) {
    return 1u << static_cast<unsigned>(category);
  }
  unsigned bits_ = 0;
};

}  // namespace bv
