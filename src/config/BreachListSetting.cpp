#include "config/BreachListSetting.h"

#include "config/ProgramPaths.h"
#include "config/Settings.h"

namespace bv {

std::filesystem::path ReadBreachListPath() {
  const std::string stored = ReadString(settings::kConfiguracion, settings::kListaFiltradas, "");
  return stored.empty() ? std::filesystem::path() : PathFromSetting(stored);
}

void WriteBreachListPath(const std::filesystem::path& path) {
  WriteString(settings::kConfiguracion, settings::kListaFiltradas,
              path.empty() ? std::string() : PathToSetting(path));
}

}  // namespace bv
