#pragma once
// The main window's commands, one enumerator each, named as their actions are (the action's
// object name, by which the language files translate it). The window's action table lists
// them in this order; every part of the program reaches an action through its id.

#include <cstddef>

namespace bv {

enum class ActionId {
  ActAbrir,
  ActNuevo,
  ActCerrar,
  ActGuardar,
  ActGuardarComo,
  ActExportarPerfil,
  ActImprimir,
  ActSalir,
  ActCopUser,
  ActCopPass,
  ActCopPreg,
  ActCopResp,
  ActCopMail,
  ActCopURL,
  ActBorrarCB,
  ActBuscar,
  ActCambPass,
  ActEditarPerfil,
  ActConfiguracion,
  ActAyuda,
  ActWeb,
  ActCambios,
  ActLicencia,
  ActAcercaDe,
  ActGenerador,
  ActNGrupo,
  ActNSubGrupo,
  ActEGrupo,
  ActBGrupo,
  ActNCuenta,
  ActECuenta,
  ActBCuenta,
  ActOrdenar,
  ActOrdenarGrupo,
  ActOrdenarTodo,
  ActPopEliminar,
  ActPopEditar,
  ActInformacion,
  ActCopiarDatos,
  ActVerOcultos,
  ActRecientes,
  ActCopiasSeguridad,
  ActSaludClaves,
  ActCopCodigo,
  ActMenuArchivo,
  ActMenuEdicion,
  ActMenuHerramientas,
  ActMenuOpciones,
  ActMenuAyuda,
};

inline constexpr std::size_t kActionCount = static_cast<std::size_t>(ActionId::ActMenuAyuda) + 1;

}  // namespace bv
