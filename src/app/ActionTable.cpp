#include "app/ActionTable.h"

#include <iterator>

namespace bv {
namespace {

using enum ActionCategory;
using enum ActionId;

// Actions whose built-in caption is their own name take their caption from the language
// file only.
constexpr ActionEntry kActions[] = {
    {ActAbrir, "ActAbrir", SiempreOn, "&Abrir perfil", "Abrir perfil", "Ctrl+A", 1},
    {ActNuevo, "ActNuevo", SiempreOn, "&Nuevo perfil...", "Crear un nuevo perfil", "Ctrl+N", 3},
    {ActCerrar, "ActCerrar", PerfilOn, "&Cerrar perfil", "Cerrar el perfil actual", "", 4},
    {ActGuardar, "ActGuardar", Varios, "&Guardar", "Guardar los cambios realizados en el perfil",
     "Ctrl+S", 2},
    {ActGuardarComo, "ActGuardarComo", PerfilOn, "G&uardar perfil como...",
     "Guardar perfil en otra localización", "Ctrl+G", 5},
    {ActExportarPerfil, "ActExportarPerfil", PerfilOn, "&Exportar perfil...",
     "Exportar el perfil completo a KeePassXC (KDBX) o a un archivo CSV", "", 5},
    {ActImprimir, "ActImprimir", SelCuenta, "&Imprimir datos de cuenta", "Imprimir cuenta",
     "Ctrl+I", 6},
    {ActSalir, "ActSalir", SiempreOn, "&Salir", "Salir de Brindlevault", "Alt+F4", 0},
    {ActCopUser, "ActCopUser", Copiar, "Nombre de usuario",
     "Copia el Nombre de usuario al portapapeles", "F1", 18},
    {ActCopPass, "ActCopPass", Copiar, "Contraseña", "Copia la Contraseña al portapapeles", "F2",
     18},
    {ActCopPreg, "ActCopPreg", Copiar, "Pregunta secreta",
     "Copia la Pregunta secreta al portapapeles", "F3", 18},
    {ActCopResp, "ActCopResp", Copiar, "Respuesta a pregunta",
     "Copia la Respuesta a pregunta al portapapeles", "F4", 18},
    {ActCopMail, "ActCopMail", Copiar, "E-Mail de registro",
     "Copia el E-Mail de registro al portapapeles", "F5", 18},
    {ActCopURL, "ActCopURL", Copiar, "Dirección de web",
     "Copia la URL de la web de registro al portapapeles", "F6", 18},
    {ActBorrarCB, "ActBorrarCB", SiempreOn, "&Vaciar portapapeles",
     "Borrar el contenido del portapapeles", "F10", 22},
    {ActBuscar, "ActBuscar", PerfilOn, "&Buscar...", "Buscar grupos y cuentas", "Ctrl+B", 15},
    {ActCambPass, "ActCambPass", PerfilOn, "Cambiar contraseña de &acceso",
     "Cambiar la contraseña de acceso al perfil", "", 26},
    {ActEditarPerfil, "ActEditarPerfil", PerfilOn, "&Editar datos del perfil",
     "Editar información del perfil", "", 16},
    {ActConfiguracion, "ActConfiguracion", SiempreOn, "&Configuración de Brindlevault",
     "Configurar opciones adicionales de Brindlevault", "", 27},
    {ActAyuda, "ActAyuda", SiempreOn, "&Temas de ayuda",
     "Mostrar los contenidos de la ayuda sobre Brindlevault", "Ctrl+F1", 19},
    {ActWeb, "ActWeb", SiempreOn, "Sitio &web", "Ir al sitio web de Brindlevault", "Ctrl+W", 20},
    {ActCambios, "ActCambios", SiempreOn, "Cambios en esta versión",
     "Mostrar los cambios realizados hasta esta versión", "", 21},
    {ActLicencia, "ActLicencia", SiempreOn, "Licencia de uso", "Mostrar la licencia de uso",
     "Ctrl+L", 23},
    {ActAcercaDe, "ActAcercaDe", SiempreOn, "A&cerca de...",
     "Información adicional sobre Brindlevault", "Shift+F1", 24},
    {ActGenerador, "ActGenerador", SiempreOn, "&Generar contraseñas",
     "Generador de contraseñas aleatorias", "Ctrl+Alt+G", 25},
    {ActNGrupo, "ActNGrupo", PerfilOn, "Nueva &categoría", "Crear una nueva categoría", "", 7},
    {ActNSubGrupo, "ActNSubGrupo", SelGrupo, "Nuevo &grupo", "Crear nuevo grupo de cuentas", "", 8},
    {ActEGrupo, "ActEGrupo", SelGrupo, "ActEGrupo", "Editar el grupo seleccionado", "", 9},
    {ActBGrupo, "ActBGrupo", SelGrupo, "ActBGrupo", "Eliminar el grupo de cuentas seleccionado", "",
     10},
    {ActNCuenta, "ActNCuenta", SelGrupo, "Nueva &cuenta",
     "Crear nueva cuenta dentro del grupo seleccionado", "", 11},
    {ActECuenta, "ActECuenta", SelCuenta, "ActECuenta",
     "Editar las propiedades de la cuenta seleccionada", "", 12},
    {ActBCuenta, "ActBCuenta", SelCuenta, "ActBCuenta", "Eliminar la cuenta seleccionada", "", 13},
    {ActOrdenar, "ActOrdenar", SelGrupo, "ActOrdenar",
     "Ordenar alfabéticamente los elementos del grupo seleccionado", "", 14},
    {ActOrdenarGrupo, "ActOrdenarGrupo", SelGrupo, "Sólo el grupo seleccionado",
     "Ordena alfabéticamente los elementos del grupo seleccionado", "", 14},
    {ActOrdenarTodo, "ActOrdenarTodo", SelGrupo, "Toda la rama de subgrupos",
     "Ordena alfabéticamente los elementos del grupo seleccionado y todos sus subgrupos", "", 14},
    {ActPopEliminar, "ActPopEliminar", Seleccionado, "E&liminar",
     "Eliminar el grupo/cuenta seleccionado", "", 32},
    {ActPopEditar, "ActPopEditar", Seleccionado, "&Editar", "Editar el grupo/cuenta seleccionado",
     "", 33},
    {ActInformacion, "ActInformacion", PerfilOn, "ActInformacion",
     "Mostrar información acerca del perfil", "", 17},
    {ActCopiarDatos, "ActCopiarDatos", SelCuenta, "&Copiar...", "", "", 18},
    {ActVerOcultos, "ActVerOcultos", SelCuenta, "Mostrar ocultos",
     "Mostrar la Contraseña/Respuesta si se encuentran ocultas", "", 31},
    {ActRecientes, "ActRecientes", SiempreOn, "&Perfiles recientes", "Abrir perfiles recientes...",
     "", 30},
    {ActCopiasSeguridad, "ActCopiasSeguridad", SiempreOn, "Abrir c&opia de seguridad...",
     "Abrir una de las copias que se guardan de un perfil antes de reemplazarlo", "", 1},
    {ActSaludClaves, "ActSaludClaves", PerfilOn, "&Salud de las contraseñas...",
     "Buscar contraseñas vacías, débiles, repetidas o filtradas", "Ctrl+Alt+S", -1},
    {ActCopCodigo, "ActCopCodigo", Copiar, "Código de dos pasos",
     "Copia el código de dos pasos actual al portapapeles", "F7", 18},
    {ActMenuArchivo, "ActMenuArchivo", MenuPpal, "&Archivo", "", "", -1},
    {ActMenuEdicion, "ActMenuEdicion", MenuPpal, "&Edición", "", "", -1},
    {ActMenuHerramientas, "ActMenuHerramientas", MenuPpal, "&Herramientas", "", "", -1},
    {ActMenuOpciones, "ActMenuOpciones", MenuPpal, "&Opciones", "", "", -1},
    {ActMenuAyuda, "ActMenuAyuda", MenuPpal, "A&yuda", "", "", -1},
};

// The table is indexed by ActionId: every id once, in the enum's order.
constexpr bool InIdOrder() {
  for (std::size_t k = 0; k < std::size(kActions); ++k)
    if (kActions[k].id != static_cast<ActionId>(k)) return false;
  return std::size(kActions) == kActionCount;
}
static_assert(InIdOrder(), "the action table lists every ActionId once, in the enum's order");

}  // namespace

std::span<const ActionEntry, kActionCount> MainActionTable() { return kActions; }

}  // namespace bv
