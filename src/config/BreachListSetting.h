#pragma once
// Where the offline list of breached passwords is: a file the user downloaded and chose in
// the options dialog. Kept in the settings file; empty when none was chosen.

#include <filesystem>
#include <string_view>

namespace bv {

namespace settings {
inline constexpr std::string_view kListaFiltradas = "ListaFiltradas";  // in kConfiguracion
}  // namespace settings

[[nodiscard]] std::filesystem::path ReadBreachListPath();
// An empty path forgets the list. Throws ESettingsWriteError.
void WriteBreachListPath(const std::filesystem::path& path);

}  // namespace bv
