#pragma once
// The preferences in brindlevault.ini. Each call opens the file, reads or writes one key
// and closes it again: no settings object lives across user actions.
//
// Booleans are written "1"/"0"; any number other than 0 reads as true. Integers are
// written in decimal and read in decimal or with a "0x"/"0X" hexadecimal prefix.
// A missing key, or a value that is not a number, gives the default.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bv {

namespace settings {
inline constexpr std::string_view kConfiguracion = "Configuracion";
inline constexpr std::string_view kRecursos = "Recursos";  // active language file (PathToSetting)
inline constexpr std::string_view kCargaUltimo = "CargaUltimo";  // open the last profile at start
inline constexpr std::string_view kIrAlPrimero = "IrAlPrimero";  // select the first node on open
inline constexpr std::string_view kMostrarPass = "MostrarPass";  // show password and answer
inline constexpr std::string_view kDCBSalir = "DCBSalir";        // empty the clipboard on exit
inline constexpr std::string_view kDCBCerrar = "DCBCerrar";      // ... and on closing a profile
inline constexpr std::string_view kAnchoArbol = "AnchoArbol";    // tree pane width in pixels
inline constexpr std::string_view kVaciarTras = "VaciarTras";    // seconds until a copy is emptied
inline constexpr std::string_view kCerrarTras = "CerrarTras";    // idle minutes until closing
// Close the profile when the desktop locks the screen, and before the computer sleeps.
inline constexpr std::string_view kCerrarAlBloquear = "CerrarAlBloquear";
inline constexpr std::string_view kCerrarAlSuspender = "CerrarAlSuspender";
// The main window's normal (not maximized) frame-less geometry, and whether it was maximized.
inline constexpr std::string_view kIzquierda = "Izquierda";
inline constexpr std::string_view kArriba = "Arriba";
inline constexpr std::string_view kAncho = "Ancho";
inline constexpr std::string_view kAlto = "Alto";
inline constexpr std::string_view kMaximizada = "Maximizada";

inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kStartLanguage = "StartLanguage";  // show the first-run picker

inline constexpr std::string_view kReciente = "Reciente";  // keys "1" to "6"
inline constexpr int kRecentCount = 6;

inline constexpr int kDefaultAnchoArbol = 233;
inline constexpr int kDefaultVaciarTras = 30;  // 0 stands for never, for both delays
inline constexpr int kDefaultCerrarTras = 0;
inline constexpr int kMaxVaciarTras = 3600;
inline constexpr int kMaxCerrarTras = 1440;

// How many copies of each profile saves keep of the version they replace; 0 keeps none.
inline constexpr std::string_view kCopiasSeguridad = "CopiasSeguridad";
inline constexpr int kDefaultCopiasSeguridad = 10;
inline constexpr int kMaxCopiasSeguridad = 100;
}  // namespace settings

// what() is "Unable to write to <settings file path>"; the window shows the same in the
// program's language (FailureText).
class ESettingsWriteError : public std::runtime_error {
 public:
  explicit ESettingsWriteError(const std::string& settingsPath);
  const std::string& SettingsPath() const { return settingsPath_; }  // UTF-8

 private:
  std::string settingsPath_;
};

[[nodiscard]] bool ReadBool(std::string_view section, std::string_view key, bool def);
[[nodiscard]] int ReadInt(std::string_view section, std::string_view key, int def);
[[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                     std::string_view def);

void WriteBool(std::string_view section, std::string_view key, bool value);
void WriteInt(std::string_view section, std::string_view key, int value);
void WriteString(std::string_view section, std::string_view key, std::string_view value);

// CopiasSeguridad, within 0 to kMaxCopiasSeguridad.
[[nodiscard]] int ReadBackupsKept();

// The integer a stored value stands for, as ReadInt reads it; empty when it is not one.
[[nodiscard]] std::optional<int> ParseSettingInt(std::string_view text);

}  // namespace bv
