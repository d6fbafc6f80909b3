#include "app/ActionTable.h"

namespace bv {
namespace {

using enum ActionCategory;

// Actions whose built-in caption is their own name take their caption from the language
// file only.
constexpr ActionEntry kActions[] = {
    {"ActAbrir", SiempreOn, "&Abrir perfil", "Abrir perfil", "Ctrl+A", 1},
    {"ActNuevo", SiempreOn, "&Nuevo perfil...", "Crear un nuevo perfil", "Ctrl+N", 3},
    {"ActCerrar", PerfilOn, "&Cerrar perfil", "Cerrar el perfil actual", "", 4},
    {"ActGuardar", Varios, "&Guardar", "Guardar los cambios realizados en el perfil", "Ctrl+S", 2},
    {"ActGuardarComo", PerfilOn, "G&uardar perfil como...", "Guardar perfil en otra localización",
     "Ctrl+G", 5},
    {"ActExportarPerfil", PerfilOn, "&Exportar perfil...",
     "Exportar el perfil completo a KeePassXC (KDBX) o a un archivo CSV", "", 5},
    {"ActImprimir", SelCuenta, "&Imprimir datos de cuenta", "Imprimir cuenta", "Ctrl+I", 6},
    {"ActSalir", SiempreOn, "&Salir", "Salir de Brindlevault", "Alt+F4", 0},
    {"ActCopUser", Copiar, "Nombre de usuario", "Copia el Nombre de usuario al portapapeles", "F1",
     18},
    {"ActCopPass", Copiar, "Contraseña", "Copia la Contraseña al portapapeles", "F2", 18},
    {"ActCopPreg", Copiar, "Pregunta secreta", "Copia la Pregunta secreta al portapapeles", "F3",
     18},
    {"ActCopResp", Copiar, "Respuesta a pregunta", "Copia la Respuesta a pregunta al portapapeles",
     "F4", 18},
    {"ActCopMail", Copiar, "E-Mail de registro", "Copia el E-Mail de registro al portapapeles", "F5",
     18},
    {"ActCopURL", Copiar, "Dirección de web", "Copia la URL de la web de registro al portapapeles",
     "F6", 18},
    {"ActBorrarCB", SiempreOn, "&Vaciar portapapeles", "Borrar el contenido del portapapeles", "F10",
     22},
    {"ActBuscar", PerfilOn, "&Buscar...", "Buscar grupos y cuentas", "Ctrl+B", 15},
    {"ActCambPass", PerfilOn, "Cambiar contraseña de &acceso",
     "Cambiar la contraseña de acceso al perfil", "", 26},
    {"ActEditarPerfil", PerfilOn, "&Editar datos del perfil", "Editar información del perfil", "",
     16},
    {"ActConfiguracion", SiempreOn, "&Configuración de Brindlevault",
     "Configurar opciones adicionales de Brindlevault", "", 27},
    {"ActAyuda", SiempreOn, "&Temas de ayuda",
     "Mostrar los contenidos de la ayuda sobre Brindlevault", "Ctrl+F1", 19},
    {"ActWeb", SiempreOn, "Sitio &web", "Ir al sitio web de Brindlevault", "Ctrl+W", 20},
    {"ActCambios", SiempreOn, "Cambios en esta versión",
     "Mostrar los cambios realizados hasta esta versión", "", 21},
    {"ActLicencia", SiempreOn, "Licencia de uso", "Mostrar la licencia de uso", "Ctrl+L", 23},
    {"ActAcercaDe", SiempreOn, "A&cerca de...", "Información adicional sobre Brindlevault",
     "Ctrl+Alt+F1", 24},
    {"ActGenerador", SiempreOn, "&Generar contraseñas", "Generador de contraseñas aleatorias",
     "Ctrl+Alt+G", 25},
    {"ActNGrupo", PerfilOn, "Nueva &categoría", "Crear una nueva categoría", "", 7},
    {"ActNSubGrupo", SelGrupo, "Nuevo &grupo", "Crear nuevo grupo de cuentas", "", 8},
    {"ActEGrupo", SelGrupo, "ActEGrupo", "Editar el grupo seleccionado", "", 9},
    {"ActBGrupo", SelGrupo, "ActBGrupo", "Eliminar el grupo de cuentas seleccionado", "", 10},
    {"ActNCuenta", SelGrupo, "Nueva &cuenta", "Crear nueva cuenta dentro del grupo seleccionado", "",
     11},
    {"ActECuenta", SelCuenta, "ActECuenta", "Editar las propiedades de la cuenta seleccionada", "",
     12},
    {"ActBCuenta", SelCuenta, "ActBCuenta", "Eliminar la cuenta seleccionada", "", 13},
    {"ActOrdenar", SelGrupo, "ActOrdenar",
     "Ordenar alfabéticamente los elementos del grupo seleccionado", "", 14},
    {"ActOrdenarGrupo", SelGrupo, "Sólo el grupo seleccionado",
     "Ordena alfabéticamente los elementos del grupo seleccionado", "", 14},
    {"ActOrdenarTodo", SelGrupo, "Toda la rama de subgrupos",
     "Ordena alfabéticamente los elementos del grupo seleccionado y todos sus subgrupos", "", 14},
    {"ActPopEliminar", Seleccionado, "E&liminar", "Eliminar el grupo/cuenta seleccionado", "", 32},
    {"ActPopEditar", Seleccionado, "&Editar", "Editar el grupo/cuenta seleccionado", "", 33},
    {"ActInformacion", PerfilOn, "ActInformacion", "Mostrar información acerca del perfil", "", 17},
    {"ActCopiarDatos", SelCuenta, "&Copiar...", "", "", 18},
    {"ActVerOcultos", SelCuenta, "Mostrar ocultos",
     "Mostrar la Contraseña/Respuesta si se encuentran ocultas", "", 31},
    {"ActRecientes", SiempreOn, "&Perfiles recientes", "Abrir perfiles recientes...", "", 30},
    {"ActCopiasSeguridad", SiempreOn, "Abrir c&opia de seguridad...",
     "Abrir una de las copias que se guardan de un perfil antes de reemplazarlo", "", 1},
    {"ActSaludClaves", PerfilOn, "&Salud de las contraseñas...",
     "Buscar contraseñas vacías, débiles, repetidas o filtradas", "Ctrl+Alt+S", -1},
    {"ActMenuArchivo", MenuPpal, "&Archivo", "", "", -1},
    {"ActMenuEdicion", MenuPpal, "&Edición", "", "", -1},
    {"ActMenuHerramientas", MenuPpal, "&Herramientas", "", "", -1},
    {"ActMenuOpciones", MenuPpal, "&Opciones", "", "", -1},
    {"ActMenuAyuda", MenuPpal, "A&yuda", "", "", -1},
};

}  // namespace

std::span<const ActionEntry> MainActionTable() { return kActions; }

}  // namespace bv
