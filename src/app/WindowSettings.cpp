#include "app/WindowSettings.h"

#include <algorithm>

namespace bv {
namespace {

SavedWindowPlace ReadWindowPlace() {
  using namespace settings;
  auto number = [](std::string_view key) {
    return ParseSettingInt(ReadString(kConfiguracion, key, ""));
  };
  const auto left = number(kIzquierda), top = number(kArriba);
  const auto width = number(kAncho), height = number(kAlto);
  SavedWindowPlace place;
  place.maximized = ReadBool(kConfiguracion, kMaximizada, false);
  if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return place;
  place.left = *left;
  place.top = *top;
  place.width = *width;
  place.height = *height;
  place.saved = true;
  return place;
}

}  // namespace

StartSettings ReadStartSettings() {
  using namespace settings;
  StartSettings s;
  s.flags.MostrarPass = ReadBool(kConfiguracion, kMostrarPass, false);
  s.flags.DCBSalir = ReadBool(kConfiguracion, kDCBSalir, true);
  s.flags.DCBCerrar = ReadBool(kConfiguracion, kDCBCerrar, true);
  s.flags.CargaUltimo = ReadBool(kConfiguracion, kCargaUltimo, false);
  s.flags.IrAlPrimero = ReadBool(kConfiguracion, kIrAlPrimero, false);
  s.treeWidth = std::max(0, ReadInt(kConfiguracion, kAnchoArbol, kDefaultAnchoArbol));
  s.flags.VaciarTras =
      std::clamp(ReadInt(kConfiguracion, kVaciarTras, kDefaultVaciarTras), 0, kMaxVaciarTras);
  s.flags.CerrarTras =
      std::clamp(ReadInt(kConfiguracion, kCerrarTras, kDefaultCerrarTras), 0, kMaxCerrarTras);
  s.flags.CerrarAlBloquear = ReadBool(kConfiguracion, kCerrarAlBloquear, true);
  s.flags.CerrarAlSuspender = ReadBool(kConfiguracion, kCerrarAlSuspender, true);
  s.place = ReadWindowPlace();
  return s;
}

void WriteTreeWidth(int width) { WriteInt(settings::kConfiguracion, settings::kAnchoArbol, width); }

void WriteWindowPlace(const SavedWindowPlace& place) {
  using namespace settings;
  WriteInt(kConfiguracion, kIzquierda, place.left);
  WriteInt(kConfiguracion, kArriba, place.top);
  WriteInt(kConfiguracion, kAncho, place.width);
  WriteInt(kConfiguracion, kAlto, place.height);
  WriteBool(kConfiguracion, kMaximizada, place.maximized);
}

bool ReadStartLanguage() { return ReadBool(settings::kGeneral, settings::kStartLanguage, true); }

}  // namespace bv
