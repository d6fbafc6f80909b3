#include "app/ActionTable.h"

namespace bv {
namespace {

using namespace category;

// Actions whose built-in caption is their own name take their caption from the language
// file only.
constexpr ActionSpec kActions[] = {
    {"ActAbrir", kSiempreOn, "&Abrir perfil", "Abrir perfil", "Ctrl+A", 1},
    {"ActNuevo", kSiempreOn, "&Nuevo perfil...", "Crear un nuevo perfil", "Ctrl+N", 3},
    {"ActCerrar", kPerfilOn, "&Cerrar perfil", "Cerrar el perfil actual", "", 4},
    {"ActGuardar", kVarios, "&Guardar", "Guardar los cambios realizados en el perfil", "Ctrl+S", 2},
    {"ActGuardarComo", kPerfilOn, "G&uardar perfil como...", "Guardar perfil en otra localización",
     "Ctrl+G", 5},
    {"ActExportarPerfil", kPerfilOn, "&Exportar perfil...",
     "Exportar el perfil completo a KeePassXC (KDBX) o a un archivo CSV", "", 5},
    {"ActImprimir", kSelCuenta, "&Imprimir datos de cuenta", "Imprimir cuenta", "Ctrl+I", 6},
    {"ActSalir", kSiempreOn, "&Salir", "Salir de Brindlevault", "Alt+F4", 0},
    {"ActCopUser", kCopiar, "Nombre de usuario", "Copia el Nombre de usuario al portapapeles", "F1",
     18},
    {"ActCopPass", kCopiar, "Contraseña", "Copia la Contraseña al portapapeles", "F2", 18},
    {"ActCopPreg", kCopiar, "Pregunta secreta", "Copia la Pregunta secreta al portapapeles", "F3",
     18},
    {"ActCopResp", kCopiar, "Respuesta a pregunta", "Copia la Respuesta a pregunta al portapapeles",
     "F4", 18},
    {"ActCopMail", kCopiar, "E-Mail de registro", "Copia el E-Mail de registro al portapapeles", "F5",
     18},
    {"ActCopURL", kCopiar, "Dirección de web", "Copia la URL de la web de registro al portapapeles",
     "F6", 18},
    {"ActBorrarCB", kSiempreOn, "&Vaciar portapapeles", "Borrar el contenido del portapapeles", "F10",
     22},
    {"ActBuscar", kPerfilOn, "&Buscar...", "Buscar grupos y cuentas", "Ctrl+B", 15},
    {"ActCambPass", kPerfilOn, "Cambiar contraseña de &acceso",
     "Cambiar la contraseña de acceso al perfil", "", 26},
    {"ActEditarPerfil", kPerfilOn, "&Editar datos del perfil", "Editar información del perfil", "",
     16},
    {"ActConfiguracion", kSiempreOn, "&Configuración de Brindlevault",
     "Configurar opciones adicionales de Brindlevault", "", 27},
    {"ActAyuda", kSiempreOn, "&Temas de ayuda",
     "Mostrar los contenidos de la ayuda sobre Brindlevault", "Ctrl+F1", 19},
    {"ActWeb", kSiempreOn, "Sitio &web", "Ir al sitio web de Brindlevault", "Ctrl+W", 20},
    {"ActCambios", kSiempreOn, "Cambios en esta versión",
     "Mostrar los cambios realizados hasta esta versión", "", 21},
    {"ActLicencia", kSiempreOn, "Licencia de uso", "Mostrar la licencia de uso", "Ctrl+L", 23},
    {"ActAcercaDe", kSiempreOn, "A&cerca de...", "Información adicional sobre Brindlevault",
     "Ctrl+Alt+F1", 24},
    {"ActGenerador", kSiempreOn, "&Generar contraseñas", "Generador de contraseñas aleatorias",
     "Ctrl+Alt+G", 25},
    {"ActNGrupo", kPerfilOn, "Nueva &categoría", "Crear una nueva categoría", "", 7},
    {"ActNSubGrupo", kSelGrupo, "Nuevo &grupo", "Crear nuevo grupo de cuentas", "", 8},
    {"ActEGrupo", kSelGrupo, "ActEGrupo", "Editar el grupo seleccionado", "", 9},
    {"ActBGrupo", kSelGrupo, "ActBGrupo", "Eliminar el grupo de cuentas seleccionado", "", 10},
    {"ActNCuenta", kSelGrupo, "Nueva &cuenta", "Crear nueva cuenta dentro del grupo seleccionado", "",
     11},
    {"ActECuenta", kSelCuenta, "ActECuenta", "Editar las propiedades de la cuenta seleccionada", "",
     12},
    {"ActBCuenta", kSelCuenta, "ActBCuenta", "Eliminar la cuenta seleccionada", "", 13},
    {"ActOrdenar", kSelGrupo, "ActOrdenar",
     "Ordenar alfabéticamente los elementos del grupo seleccionado", "", 14},
    {"ActOrdenarGrupo", kSelGrupo, "Sólo el grupo seleccionado",
     "Ordena alfabéticamente los elementos del grupo seleccionado", "", 14},
    {"ActOrdenarTodo", kSelGrupo, "Toda la rama de subgrupos",
     "Ordena alfabéticamente los elementos del grupo seleccionado y todos sus subgrupos", "", 14},
    {"ActPopEliminar", kSeleccionado, "E&liminar", "Eliminar el grupo/cuenta seleccionado", "", 32},
    {"ActPopEditar", kSeleccionado, "&Editar", "Editar el grupo/cuenta seleccionado", "", 33},
    {"ActInformacion", kPerfilOn, "ActInformacion", "Mostrar información acerca del perfil", "", 17},
    {"ActCopiarDatos", kSelCuenta, "&Copiar...", "", "", 18},
    {"ActVerOcultos", kSelCuenta, "Mostrar ocultos",
     "Mostrar la Contraseña/Respuesta si se encuentran ocultas", "", 31},
    {"ActRecientes", kSiempreOn, "&Perfiles recientes", "Abrir perfiles recientes...", "", 30},
    {"ActMenuArchivo", kMenuPpal, "&Archivo", "", "", -1},
    {"ActMenuEdicion", kMenuPpal, "&Edición", "", "", -1},
    {"ActMenuHerramientas", kMenuPpal, "&Herramientas", "", "", -1},
    {"ActMenuOpciones", kMenuPpal, "&Opciones", "", "", -1},
    {"ActMenuAyuda", kMenuPpal, "A&yuda", "", "", -1},
};

}  // namespace

std::span<const ActionSpec> MainActionTable() { return kActions; }

}  // namespace bv
