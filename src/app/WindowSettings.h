#pragma once
// The main window's share of brindlevault.ini: the behaviour switches it copies into its
// flags when it is created, the tree pane's width, and the first-run picker switch.

#include "config/Settings.h"

namespace bv {

struct MainWindowFlags {
  bool MostrarPass = false;  // the account page shows password and answer
  bool DCBSalir = true;      // empty the clipboard when the program closes
  bool DCBCerrar = true;     // ... and when a profile is closed
  bool CargaUltimo = false;  // open the most recent profile at start
  bool IrAlPrimero = false;  // select the first node after opening
  bool OpenedFromCommandLine = false;
  int VaciarTras = settings::kDefaultVaciarTras;  // seconds until a copy is emptied; 0 never
  int CerrarTras = settings::kDefaultCerrarTras;  // idle minutes until the profile closes; 0 never
  bool CerrarAlBloquear = true;                   // close the profile when the screen locks
  bool CerrarAlSuspender = true;                  // ... and before the computer sleeps
};

// Where the window was at the last shutdown. Without all four numbers (or with an empty
// size) nothing was saved and the window takes its default place.
struct SavedWindowPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool maximized = false;
  bool saved = false;
};

struct StartSettings {
  MainWindowFlags flags;
  int treeWidth = settings::kDefaultAnchoArbol;
  SavedWindowPlace place;
};

// Reads MostrarPass, DCBSalir, DCBCerrar, CargaUltimo, IrAlPrimero and AnchoArbol, in this
// order, then VaciarTras and CerrarTras, CerrarAlBloquear and CerrarAlSuspender, then the
// window's place. A negative width is taken
// as 0; the delays are kept within what the options dialog offers.
[[nodiscard]] StartSettings ReadStartSettings();

// Throws ESettingsWriteError.
void WriteTreeWidth(int width);
// Writes Izquierda, Arriba, Ancho, Alto and Maximizada. Throws ESettingsWriteError.
void WriteWindowPlace(const SavedWindowPlace& place);

// Section General, key StartLanguage (default true): show the first-run language picker.
[[nodiscard]] bool ReadStartLanguage();

}  // namespace bv
