#include "export/ExportText.h"

namespace bv {

std::string ExportUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 4);
  ForEachExportCharacter(cp1252, [&](char32_t c) { AppendUtf8(out, c); });
  return out;
}

}  // namespace bv
