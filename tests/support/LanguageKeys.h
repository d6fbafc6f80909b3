#pragma once
// What every shipped language file must hold: one section per window with a key for each
// translatable control, and the texts of every message the program uses. Windows are
// built with these control names; the window tests check each real window against this
// list and both language files (config_gui/WindowCoverage.h).

#include <array>
#include <string>
#include <vector>

namespace bv::test {

enum class Kind {
  Caption,     // label, group box, button, check box, radio button: key = name
  List,        // drop-down list: key = name, items ended by the byte 0xF7
  Action,      // keys name + "c" and name + "h"
  Heading,     // action without hint (menu headings): key name + "c"
  FileDialog,  // keys name + "f" and name + "t"
};

struct Control {
  const char* name;
  Kind kind;
};

struct Window {
  const char* name;
  std::vector<Control> controls;
};

inline std::vector<std::string> KeysOf(const Control& c) {
  switch (c.kind) {
    case Kind::Action: return {std::string(c.name) + "c", std::string(c.name) + "h"};
    case Kind::Heading: return {std::string(c.name) + "c"};
    case Kind::FileDialog: return {std::string(c.name) + "f", std::string(c.name) + "t"};
    default: return {c.name};
  }
}

inline std::vector<Control> Captions(std::initializer_list<const char*> names) {
  std::vector<Control> controls;
  for (const char* n : names) controls.push_back({n, Kind::Caption});
  return controls;
}

inline std::vector<Control> Join(std::vector<Control> a, const std::vector<Control>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline const std::vector<Window>& RequiredWindows() {
  static const std::vector<Window> windows = [] {
    std::vector<Control> main;
    for (const char* a : {"ActAbrir",         "ActNuevo",           "ActCerrar",
                          "ActGuardar",       "ActGuardarComo",     "ActExportarPerfil",
                          "ActImprimir",      "ActSalir",           "ActCopUser",
                          "ActCopPass",       "ActCopPreg",         "ActCopResp",
                          "ActCopMail",       "ActCopURL",          "ActBorrarCB",
                          "ActBuscar",        "ActCambPass",        "ActEditarPerfil",
                          "ActConfiguracion", "ActAyuda",           "ActWeb",
                          "ActCambios",       "ActLicencia",        "ActAcercaDe",
                          "ActGenerador",     "ActNGrupo",          "ActNSubGrupo",
                          "ActEGrupo",        "ActBGrupo",          "ActNCuenta",
                          "ActECuenta",       "ActBCuenta",         "ActOrdenar",
                          "ActOrdenarGrupo",  "ActOrdenarTodo",     "ActPopEliminar",
                          "ActPopEditar",     "ActInformacion",     "ActVerOcultos",
                          "ActRecientes",     "ActCopiasSeguridad", "ActSaludClaves",
                          "ActCopCodigo"})
      main.push_back({a, Kind::Action});
    for (const char* h : {"ActCopiarDatos", "ActMenuArchivo", "ActMenuEdicion",
                          "ActMenuHerramientas", "ActMenuOpciones", "ActMenuAyuda"})
      main.push_back({h, Kind::Heading});
    // Open and save-as of profiles, export as text and as HTML.
    for (const char* d : {"ODPerfil", "SDPerfil", "SDTXT", "SDHTML", "SDExportar"})
      main.push_back({d, Kind::FileDialog});

    const auto okCancel = Captions({"BtnOk", "BtnCancelar"});
    const auto groupDialog = Join(Captions({"lblGrupo", "lblDescrip", "lblImagen"}), okCancel);
    const auto accountDialog =
        Join(Join(Captions({"lblNCuenta", "lblUsuario", "lblPass", "lblURL", "lblPregunta",
                            "lblRespuesta", "lblMail", "lblDesc", "lblNotas", "lblTipo",
                            "lblImagen", "BtnDosPasos"}),
                  {{"Ed_Tipo", Kind::List}}),
             okCancel);
    return std::vector<Window>{
        {"FPrincipal", main},
        {"FAddCuenta", accountDialog},
        {"FAddGrupo", groupDialog},
        {"FAddSubGrupo", groupDialog},
        {"FBusqueda",
         Join(Captions({"lblPalabra", "lblEn", "lblResultados", "BtnBuscar", "BtnCancelar"}),
              {{"BuscarEn", Kind::List}})},
        {"FCambiarPass",
         Join(Captions({"lblPassAct", "lblNueva", "lblReNueva", "lblConsejo"}), okCancel)},
        {"FEditarCuenta", accountDialog},
        {"FEditarGrupo", groupDialog},
        {"FExportarPerfil", Join(Captions({"lblPass", "lblRePass", "lblNota"}), okCancel)},
        {"FEditarPerfil", Join(Captions({"lblNombre", "lblTitulo"}), okCancel)},
        {"FGenPass",
         Captions({"lblInfo", "Contenido", "ConLetras", "ConNumeros", "Op_Text1", "Op_Text2",
                   "Op_Text3", "Especial", "ConEspeciales", "lblCaracteres", "lblLength",
                   "lblGenerada", "BtnGenerar", "BtnCopiar", "BtnCancelar", "BtnOk"})},
        {"FIdiomaInicio", Captions({"Label1", "FlatGroupBox1", "BtnOk"})},
        {"FInicioSesion", Join(Captions({"lblPass"}), okCancel)},
        {"FNuevoPerfil", Join(Join(Captions({"lblUsuario", "lblTitulo", "lblPass", "lblCPass",
                                             "lblNota", "lblConsejo"}),
                                   okCancel),
                              {{"SDNuevo", Kind::FileDialog}})},
        {"FOpciones",
         Join(Captions({"GrupoConf",      "CBCargaUltimo",    "CBPrimero",      "lblBorra",
                        "CBSalir",        "CBCerrar",         "lblVaciarTras",  "lblVaciarSegundos",
                        "lblCerrarTras",  "lblCerrarMinutos", "GrupoVisual",    "CBMostrar",
                        "GrupoIdioma",    "lblIdioma",        "BtnOk",          "GrupoCopias",
                        "lblCopias",      "lblCopiasPerfil",  "GrupoFiltradas", "lblFiltradas",
                        "BtnElegirLista", "BtnQuitarLista",   "GrupoSesion",    "CBBloquear",
                        "CBSuspender",    "lblSesion"}),
              {{"ODFiltradas", Kind::FileDialog}})},
        {"FAcerca", Captions({"Label4", "lblTraductor", "BtnOk"})},
        {"FSaludClaves", Captions({"lblLista", "BtnActualizar", "BtnCerrar"})},
        {"FResumenCombinacion", Captions({"lblLista", "BtnCerrar"})},
        {"FCodigoDosPasos",
         Captions({"lblSemilla", "lblCodigo", "lblAviso", "BtnOk", "BtnQuitar", "BtnCancelar"})},
    };
  }();
  return windows;
}

// The main window's menus, each with the actions it shows (as MainMenus builds them): within
// one menu no two captions may share a mnemonic.
struct Menu {
  const char* name;
  std::vector<const char*> actions;
};

inline const std::vector<Menu>& MainMenus() {
  static const std::vector<Menu> menus = {
      {"menu bar",
       {"ActMenuArchivo", "ActMenuEdicion", "ActMenuHerramientas", "ActMenuOpciones",
        "ActMenuAyuda"}},
      {"Archivo",
       {"ActAbrir", "ActRecientes", "ActCopiasSeguridad", "ActNuevo", "ActCerrar", "ActGuardar",
        "ActGuardarComo", "ActExportarPerfil", "ActImprimir", "ActSalir"}},
      {"Edicion", {"ActCopiarDatos", "ActBorrarCB", "ActBuscar"}},
      {"Herramientas", {"ActGenerador", "ActSaludClaves"}},
      {"Opciones", {"ActCambPass", "ActEditarPerfil", "ActConfiguracion"}},
      {"Ayuda", {"ActAyuda", "ActWeb", "ActCambios", "ActLicencia", "ActAcercaDe"}},
      {"Copiar datos",
       {"ActCopUser", "ActCopPass", "ActCopPreg", "ActCopResp", "ActCopMail", "ActCopURL"}},
      {"PopupMenuArbol",
       {"ActNGrupo", "ActNSubGrupo", "ActNCuenta", "ActPopEliminar", "ActPopEditar"}},
      {"PopupMenuVisor", {"ActCopiarDatos", "ActPopEditar", "ActPopEliminar", "ActVerOcultos"}},
      {"PopupOrdenar", {"ActOrdenarGrupo", "ActOrdenarTodo"}},
  };
  return menus;
}

// Every message number that some part of the program shows or stores; 107 is the notice
// line of the welcome and summary pages, 104 and 108 report a clipboard that could not be
// written, 110 a document or address the desktop could not open.
inline std::vector<int> UsedMessages() {
  std::vector<int> used = {0, 1, 4, 5, 6, 7, 8, 9, 10};
  for (int n = 11; n <= 25; ++n) used.push_back(n);
  for (int n : {27, 28}) used.push_back(n);
  for (int n = 30; n <= 39; ++n) used.push_back(n);
  for (int n : {41, 42, 43, 44, 45, 47, 48, 50, 51, 52, 53, 54, 56, 57, 58}) used.push_back(n);
  for (int n = 60; n <= 67; ++n) used.push_back(n);
  for (int n = 69; n <= 94; ++n) used.push_back(n);
  for (int n = 96; n <= 103; ++n) used.push_back(n);
  for (int n : {104, 105, 106, 107, 108, 110}) used.push_back(n);
  for (int n : {115, 116}) used.push_back(n);          // a refused save target, a too deep tree
  for (int n = 125; n <= 129; ++n) used.push_back(n);  // exporting the whole profile
  for (int n : {130, 131}) used.push_back(n);          // the general handler
  for (int n = 140; n <= 154; ++n) used.push_back(n);  // merging two versions of a profile
  for (int n : {155, 156}) used.push_back(n);          // a backup that could not be kept
  used.push_back(180);                                 // a handed-over file that does not exist
  for (int n = 200; n <= 226; ++n) used.push_back(n);  // password strength and health
  used.push_back(230);  // why the computer waits for us before it sleeps
  for (int n = 250; n <= 255; ++n) used.push_back(n);  // what a screen reader reads
  for (int n = 260; n <= 271; ++n) used.push_back(n);  // the profile changed on disk
  for (int n : {300, 301}) used.push_back(n);          // the generator button's names
  for (int n = 320; n <= 322; ++n) used.push_back(n);  // merges and conflict copies
  for (int n = 350; n <= 354; ++n) used.push_back(n);  // input from outside
  used.push_back(370);                                 // a password change not saved
  for (int n = 400; n <= 412; ++n) used.push_back(n);  // two-step codes
  for (int n = 440; n <= 461; ++n) used.push_back(n);  // signing in from the browser
  for (int n = 520; n <= 539; ++n) used.push_back(n);  // failure texts, health, file kinds
  used.push_back(560);                                 // a file changed while being read
  return used;
}

inline constexpr int kMarkerMessage = 106;
inline constexpr std::size_t kMarkerLimit = 87;  // longer would not survive a load
inline constexpr std::array<int, 2> kFileNameMessages = {39, 48};  // help, licence

// The language files in res/, by their UTF-8 file names, each with a name for test output.
struct ShippedLanguage {
  const char* utf8Name;
  const char* testName;
};
// \u escapes, since a hex escape would take in the letters that follow it.
inline constexpr ShippedLanguage kShippedLanguages[] = {
    {"Espa\u00F1ol.lng", "Spanish"}, {"English.lng", "English"},
    {"Fran\u00E7ais.lng", "French"}, {"Deutsch.lng", "German"},
    {"Italiano.lng", "Italian"},     {"Portugu\u00EAs.lng", "Portuguese"},
    {"Catal\u00E0.lng", "Catalan"},  {"Nederlands.lng", "Dutch"}};

}  // namespace bv::test
