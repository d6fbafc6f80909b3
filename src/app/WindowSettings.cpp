#include "app/WindowSettings.h"

#include <algorithm>

namespace bv {

StartSettings ReadStartSettings() {
  using namespace settings;
  StartSettings s;
  s.flags.MostrarPass = ReadBool(kConfiguracion, kMostrarPass, false);
  s.flags.DCBSalir = ReadBool(kConfiguracion, kDCBSalir, true);
  s.flags.DCBCerrar = ReadBool(kConfiguracion, kDCBCerrar, true);
  s.flags.CargaUltimo = ReadBool(kConfiguracion, kCargaUltimo, false);
  s.flags.IrAlPrimero = ReadBool(kConfiguracion, kIrAlPrimero, false);
  s.treeWidth = std::max(0, ReadInt(kConfiguracion, kAnchoArbol, kDefaultAnchoArbol));
  s.flags.VaciarTras = std::clamp(ReadInt(kConfiguracion, kVaciarTras, kDefaultVaciarTras), 0, kMaxVaciarTras);
  s.flags.CerrarTras = std::clamp(ReadInt(kConfiguracion, kCerrarTras, kDefaultCerrarTras), 0, kMaxCerrarTras);
  return s;
}

void WriteTreeWidth(int width) {
  WriteInt(settings::kConfiguracion, settings::kAnchoArbol, width);
}

bool ReadStartLanguage() {
  return ReadBool(settings::kGeneral, settings::kStartLanguage, true);
}

}  // namespace bv
