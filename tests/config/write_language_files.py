#!/usr/bin/env python3
"""Writes res/Español.lng and res/English.lng.

The language files are Windows-1252 text with CR LF line ends, as the Windows program
had them; this script holds their texts as readable UTF-8 and encodes them. Run it from
anywhere after changing a text: python3 tests/config/write_language_files.py
test_config checks the written files against the list of required keys.
"""

from pathlib import Path

SEP = "\u00f7"  # ends each item of a drop-down list

PROFILE_FILTER = {
    "es": "Archivo de perfil (*.bv3)|*.bv3|Todos los archivos (*.*)|*.*",
    "en": "Profile file (*.bv3)|*.bv3|All files (*.*)|*.*",
}


def items(*texts):
    return "".join(t + SEP for t in texts)


# (control, Spanish, English); actions give (caption, hint) pairs.
ACTIONS = [
    ("ActAbrir", ("&Abrir perfil", "Abrir perfil"), ("&Open profile", "Open a profile")),
    ("ActNuevo", ("&Nuevo perfil...", "Crear un nuevo perfil"),
     ("&New profile...", "Create a new profile")),
    ("ActCerrar", ("&Cerrar perfil", "Cerrar el perfil actual"),
     ("&Close profile", "Close the current profile")),
    ("ActGuardar", ("&Guardar", "Guardar los cambios realizados en el perfil"),
     ("&Save", "Save the changes made to the profile")),
    ("ActGuardarComo", ("G&uardar perfil como...", "Guardar perfil en otra localización"),
     ("Save profile &as...", "Save the profile in another location")),
    ("ActExportarPerfil",
     ("&Exportar perfil...", "Exportar el perfil completo a KeePassXC (KDBX) o a un archivo CSV"),
     ("&Export profile...", "Export the whole profile to KeePassXC (KDBX) or to a CSV file")),
    ("ActImprimir", ("&Imprimir datos de cuenta", "Imprimir cuenta"),
     ("&Print account details", "Print the account")),
    ("ActSalir", ("&Salir", "Salir de Brindlevault"), ("E&xit", "Exit Brindlevault")),
    ("ActCopUser", ("Nombre de usuario", "Copia el Nombre de usuario al portapapeles"),
     ("User name", "Copy the user name to the clipboard")),
    ("ActCopPass", ("Contraseña", "Copia la Contraseña al portapapeles"),
     ("Password", "Copy the password to the clipboard")),
    ("ActCopPreg", ("Pregunta secreta", "Copia la Pregunta secreta al portapapeles"),
     ("Secret question", "Copy the secret question to the clipboard")),
    ("ActCopResp", ("Respuesta a pregunta", "Copia la Respuesta a pregunta al portapapeles"),
     ("Secret answer", "Copy the answer to the secret question to the clipboard")),
    ("ActCopMail", ("E-Mail de registro", "Copia el E-Mail de registro al portapapeles"),
     ("Registration e-mail", "Copy the registration e-mail address to the clipboard")),
    ("ActCopURL", ("Dirección de web", "Copia la URL de la web de registro al portapapeles"),
     ("Web address", "Copy the URL of the registration site to the clipboard")),
    ("ActBorrarCB", ("&Vaciar portapapeles", "Borrar el contenido del portapapeles"),
     ("&Empty clipboard", "Clear the contents of the clipboard")),
    ("ActBuscar", ("&Buscar...", "Buscar grupos y cuentas"),
     ("&Find...", "Find groups and accounts")),
    ("ActCambPass", ("Cambiar contraseña de &acceso", "Cambiar la contraseña de acceso al perfil"),
     ("Change &access password", "Change the access password of the profile")),
    ("ActEditarPerfil", ("&Editar datos del perfil", "Editar información del perfil"),
     ("&Edit profile details", "Edit the profile information")),
    ("ActConfiguracion",
     ("&Configuración de Brindlevault", "Configurar opciones adicionales de Brindlevault"),
     ("Brindlevault &settings", "Set additional Brindlevault options")),
    ("ActAyuda", ("&Temas de ayuda", "Mostrar los contenidos de la ayuda sobre Brindlevault"),
     ("&Help topics", "Show the contents of the Brindlevault help")),
    ("ActWeb", ("Sitio &web", "Ir al sitio web de Brindlevault"),
     ("&Web site", "Go to the Brindlevault web site")),
    ("ActCambios", ("Cambios en esta versión", "Mostrar los cambios realizados hasta esta versión"),
     ("Changes in this version", "Show the changes made up to this version")),
    ("ActLicencia", ("Licencia de uso", "Mostrar la licencia de uso"),
     ("License", "Show the license")),
    ("ActAcercaDe", ("A&cerca de...", "Información adicional sobre Brindlevault"),
     ("&About...", "More information about Brindlevault")),
    ("ActGenerador", ("&Generar contraseñas", "Generador de contraseñas aleatorias"),
     ("&Generate passwords", "Random password generator")),
    ("ActNGrupo", ("Nueva &categoría", "Crear una nueva categoría"),
     ("New &category", "Create a new category")),
    ("ActNSubGrupo", ("Nuevo &grupo", "Crear nuevo grupo de cuentas"),
     ("New &group", "Create a new group of accounts")),
    ("ActEGrupo", ("&Editar grupo", "Editar el grupo seleccionado"),
     ("&Edit group", "Edit the selected group")),
    ("ActBGrupo", ("E&liminar grupo", "Eliminar el grupo de cuentas seleccionado"),
     ("&Delete group", "Delete the selected group of accounts")),
    ("ActNCuenta", ("Nueva &cuenta", "Crear nueva cuenta dentro del grupo seleccionado"),
     ("New &account", "Create a new account in the selected group")),
    ("ActECuenta", ("Editar c&uenta", "Editar las propiedades de la cuenta seleccionada"),
     ("Edit accou&nt", "Edit the properties of the selected account")),
    ("ActBCuenta", ("Eliminar cue&nta", "Eliminar la cuenta seleccionada"),
     ("Delete accoun&t", "Delete the selected account")),
    ("ActOrdenar", ("&Ordenar", "Ordenar alfabéticamente los elementos del grupo seleccionado"),
     ("&Sort", "Sort the items of the selected group alphabetically")),
    ("ActOrdenarGrupo",
     ("Sólo el grupo seleccionado", "Ordena alfabéticamente los elementos del grupo seleccionado"),
     ("Selected group only", "Sorts the items of the selected group alphabetically")),
    ("ActOrdenarTodo",
     ("Toda la rama de subgrupos",
      "Ordena alfabéticamente los elementos del grupo seleccionado y todos sus subgrupos"),
     ("Whole branch of subgroups",
      "Sorts the items of the selected group and of all its subgroups alphabetically")),
    ("ActPopEliminar", ("E&liminar", "Eliminar el grupo/cuenta seleccionado"),
     ("&Delete", "Delete the selected group/account")),
    ("ActPopEditar", ("&Editar", "Editar el grupo/cuenta seleccionado"),
     ("&Edit", "Edit the selected group/account")),
    ("ActInformacion", ("&Información del perfil", "Mostrar información acerca del perfil"),
     ("Profile &information", "Show information about the profile")),
    ("ActVerOcultos",
     ("Mostrar ocultos", "Mostrar la Contraseña/Respuesta si se encuentran ocultas"),
     ("Show hidden", "Show the password/answer when they are hidden")),
    ("ActRecientes", ("&Perfiles recientes", "Abrir perfiles recientes..."),
     ("&Recent profiles", "Open recent profiles...")),
]

HEADINGS = [
    ("ActCopiarDatos", "&Copiar...", "&Copy..."),
    ("ActMenuArchivo", "&Archivo", "&File"),
    ("ActMenuEdicion", "&Edición", "&Edit"),
    ("ActMenuHerramientas", "&Herramientas", "&Tools"),
    ("ActMenuOpciones", "&Opciones", "&Options"),
    ("ActMenuAyuda", "A&yuda", "&Help"),
]

DIALOGS = [
    ("ODPerfil", ("Abrir perfil de Brindlevault 3", PROFILE_FILTER["es"]),
     ("Open Brindlevault 3 profile", PROFILE_FILTER["en"])),
    ("SDPerfil", ("Guardar perfil como...", PROFILE_FILTER["es"]),
     ("Save profile as...", PROFILE_FILTER["en"])),
    ("SDTXT", ("Exportar cuenta como TXT",
               "Archivo de texto sin formato (*.txt)|*.txt|Todos los archivos (*.*)|*.*"),
     ("Export account as TXT", "Plain text file (*.txt)|*.txt|All files (*.*)|*.*")),
    ("SDExportar", ("Exportar perfil",
                    "Base de datos de KeePass 4 (*.kdbx)|*.kdbx|Archivo CSV (*.csv)|*.csv"),
     ("Export profile", "KeePass 4 database (*.kdbx)|*.kdbx|CSV file (*.csv)|*.csv")),
    ("SDHTML", ("Exportar cuenta como HTML",
                "Documento HTML (*.html)|*.html|Todos los archivos (*.*)|*.*"),
     ("Export account as HTML", "HTML document (*.html)|*.html|All files (*.*)|*.*")),
]

OK_CANCEL = [("BtnOk", "Aceptar", "OK"), ("BtnCancelar", "Cancelar", "Cancel")]


def group_dialog(name_label_es, name_label_en):
    return [("lblGrupo", name_label_es, name_label_en),
            ("lblDescrip", "Descripción:", "Description:"),
            ("lblImagen", "Imagen:", "Picture:")] + OK_CANCEL


ACCOUNT_DIALOG = [
    ("lblNCuenta", "Nombre de la cuenta:", "Account name:"),
    ("lblUsuario", "Nombre de usuario:", "User name:"),
    ("lblPass", "Contraseña:", "Password:"),
    ("lblURL", "URL de acceso:", "Access URL:"),
    ("lblPregunta", "Pregunta secreta:", "Secret question:"),
    ("lblRespuesta", "Respuesta secreta:", "Secret answer:"),
    ("lblMail", "E-Mail de registro:", "Registration e-mail:"),
    ("lblDesc", "Descripción de la cuenta:", "Account description:"),
    ("lblNotas", "Notas adicionales:", "Additional notes:"),
    ("lblTipo", "Tipo de cuenta:", "Account type:"),
    ("lblImagen", "Imagen:", "Picture:"),
    ("Ed_Tipo",
     items("Acceso a e-mail", "Usuario de sitio web", "Acceso a FTP", "Acceso a Red Privada",
           "Sesión de IRC Messenger", "Sesión de MSN Messenger", "Inicio de Sesión en Windows",
           "Acceso a programa", "Otros..."),
     items("E-mail access", "Web site user", "FTP access", "Private network access",
           "IRC Messenger session", "MSN Messenger session", "Windows logon", "Program access",
           "Other...")),
] + OK_CANCEL

# Window sections: (control, Spanish, English).
WINDOWS = {
    "FAddCuenta": ACCOUNT_DIALOG,
    "FAddGrupo": group_dialog("Nombre de la categoría a agregar:", "Name of the new category:"),
    "FAddSubGrupo": group_dialog("Nombre del grupo a agregar:", "Name of the new group:"),
    "FBusqueda": [
        ("lblPalabra", "Buscar esta palabra:", "Find this word:"),
        ("lblEn", "En:", "In:"),
        ("BuscarEn",
         items("Título", "Descripción", "Notas adicionales", "Nombre de usuario",
               "Pregunta secreta", "URL", "Tipo"),
         items("Name", "Description", "Additional notes", "User name", "Secret question",
               "URL", "Type")),
        ("lblResultados", "Resultados:", "Results:"),
        ("BtnBuscar", "Buscar...", "Find..."),
        ("BtnCancelar", "Cancelar", "Cancel"),
    ],
    "FCambiarPass": [
        ("lblPassAct", "Contraseña actual:", "Current password:"),
        ("lblNueva", "Nueva contraseña:", "New password:"),
        ("lblReNueva", "Repita la nueva contraseña:", "Repeat the new password:"),
    ] + OK_CANCEL,
    "FEditarCuenta": ACCOUNT_DIALOG,
    "FExportarPerfil": [
        ("lblPass", "Contraseña del nuevo archivo:", "Password of the new file:"),
        ("lblRePass", "Repita la contraseña:", "Repeat the password:"),
        ("lblNota", "KeePassXC y KeePass pedirán esta contraseña al abrir el archivo.",
         "KeePassXC and KeePass will ask for this password when they open the file."),
    ] + OK_CANCEL,
    "FEditarGrupo": group_dialog("Nombre del grupo a editar:", "Name of the group:"),
    "FEditarPerfil": [
        ("lblNombre", "Nombre del propietario del perfil:", "Name of the profile's owner:"),
        ("lblTitulo", "Título del perfil:", "Title of the profile:"),
        ("BtnOk", "Guardar", "Save"),
        ("BtnCancelar", "Cancelar", "Cancel"),
    ],
    "FGenPass": [
        ("lblInfo",
         "Este asistente le ayudará a generar contraseñas aleatorias \"sin sentido\" para "
         "proteger aún más sus nuevas cuentas de usuario.",
         "This assistant helps you make random, \"meaningless\" passwords to protect your new "
         "user accounts even better."),
        ("Contenido", "Caracteres alfanuméricos", "Alphanumeric characters"),
        ("ConLetras", "Con letras", "With letters"),
        ("ConNumeros", "Con caracteres numéricos", "With digits"),
        ("Op_Text1", "Sólo letras minúsculas", "Lower case letters only"),
        ("Op_Text2", "Sólo letras mayúsculas", "Upper case letters only"),
        ("Op_Text3", "Alternar mayúsculas y minúsculas", "Mix upper and lower case"),
        ("Especial", "Caracteres especiales", "Special characters"),
        ("ConEspeciales", "Con caracteres especiales", "With special characters"),
        ("lblCaracteres", "Indique Caracteres especiales:", "Special characters to use:"),
        ("lblLength", "¿De cuántos caracteres desea la contraseña? Indique:",
         "How many characters should the password have?"),
        ("lblGenerada", "Contraseña generada:", "Generated password:"),
        ("BtnGenerar", "Generar", "Generate"),
        ("BtnCopiar", "Copiar", "Copy"),
        ("BtnCancelar", "Cancelar", "Cancel"),
        ("BtnOk", "Aceptar", "OK"),
    ],
    "FIdiomaInicio": [
        ("Label1", "Brindlevault 3.5", "Brindlevault 3.5"),
        ("FlatGroupBox1", "Seleccione su idioma // Select your language",
         "Select your language // Seleccione su idioma"),
        ("BtnOk", "Aceptar", "OK"),
    ],
    "FInicioSesion": [
        ("lblPass", "Ingrese la contraseña para Iniciar sesión:",
         "Enter the password to log in:"),
    ] + OK_CANCEL,
    "FNuevoPerfil": [
        ("lblUsuario", "Nombre del propietario del perfil:", "Name of the profile's owner:"),
        ("lblTitulo", "Título del perfil:", "Title of the profile:"),
        ("lblPass", "Contraseña de perfil:", "Profile password:"),
        ("lblCPass", "Confirmar contraseña:", "Confirm password:"),
        ("lblNota",
         "Personalice su nuevo perfil indicando sus datos. La contraseña de perfil es opcional "
         "(en blanco para ninguna)",
         "Personalise your new profile with your details. The profile password is optional "
         "(leave it blank for none)"),
    ] + OK_CANCEL,
    "FOpciones": [
        ("GrupoConf", "Configuración", "Settings"),
        ("CBCargaUltimo", "Cargar el último perfil utilizado al Iniciar Brindlevault",
         "Open the last used profile when Brindlevault starts"),
        ("CBPrimero", "Ir automáticamente al primer grupo al iniciar un perfil",
         "Go to the first group automatically when a profile opens"),
        ("lblBorra", "Borrar automáticamente el portapapeles al:",
         "Empty the clipboard automatically when:"),
        ("CBSalir", "salir de Brindlevault,", "exiting Brindlevault,"),
        ("CBCerrar", "cerrar perfil.", "closing a profile."),
        ("lblVaciarTras", "Vaciar el portapapeles", "Empty the clipboard"),
        ("lblVaciarSegundos", "segundos después de copiar", "seconds after copying"),
        ("lblCerrarTras", "Cerrar el perfil tras", "Close the profile after"),
        ("lblCerrarMinutos", "minutos sin uso", "minutes without use"),
        ("GrupoVisual", "Visualización", "Display"),
        ("CBMostrar", "Mostrar contraseña/respuesta al mostrar las cuentas",
         "Show password/answer when showing accounts"),
        ("GrupoIdioma", "Idioma", "Language"),
        ("lblIdioma", "Seleccione su idioma / Select your language:",
         "Select your language / Seleccione su idioma:"),
        ("BtnOk", "Aceptar", "OK"),
        ("GrupoSesion", "Bloqueo y suspensión", "Locking and sleep"),
        ("CBBloquear", "Cerrar el perfil al bloquearse la pantalla",
         "Close the profile when the screen locks"),
        ("CBSuspender", "Cerrar el perfil antes de suspender el equipo",
         "Close the profile before the computer sleeps"),
        ("lblSesion", "Un perfil con cambios sin guardar queda abierto; lo que se copió de él se "
         "borra igualmente del portapapeles.",
         "A profile with unsaved changes stays open; what was copied from it is emptied from "
         "the clipboard all the same."),
    ],
    "FAcerca": [
        ("Label4", "Traducido por:", "Translated by:"),
        ("lblTraductor", "(nativo)", "the Brindlevault developers"),
        ("BtnOk", "Aceptar", "OK"),
    ],
}

WINDOW_ORDER = ["FPrincipal", "FAddCuenta", "FAddGrupo", "FAddSubGrupo", "FBusqueda",
                "FCambiarPass", "FEditarCuenta", "FExportarPerfil", "FEditarGrupo", "FEditarPerfil", "FGenPass",
                "FIdiomaInicio", "FInicioSesion", "FNuevoPerfil", "FOpciones", "FAcerca"]

# The new-profile dialog also owns the save dialog that names the new file.
NEW_PROFILE_DIALOG = ("SDNuevo", ("Guardar nuevo perfil como...", PROFILE_FILTER["es"]),
                      ("Save new profile as...", PROFILE_FILTER["en"]))


def label_lines(label):
    """The underline that follows a label in the text export."""
    return "-" * len(label)


# Field labels of the detail view, the printout and the text export.
LABELS = {
    74: ("Nombre de la cuenta:", "Account name:"),
    76: ("Descripción:", "Description:"),
    78: ("Notas adicionales:", "Additional notes:"),
    80: ("Nombre de usuario:", "User name:"),
    82: ("Contraseña:", "Password:"),
    84: ("Pregunta secreta:", "Secret question:"),
    86: ("Respuesta secreta:", "Secret answer:"),
    88: ("E-Mail de registro:", "Registration e-mail:"),
    90: ("URL de acceso:", "Access URL:"),
    92: ("Tipo de cuenta:", "Account type:"),
}

MESSAGES = {
    # Quotes keep the blank at the end: message 1 follows message 0 directly.
    0: ('"El archivo elegido no es un perfil de Brindlevault. "',
        '"The chosen file is not a Brindlevault profile. "'),
    1: ("Compruebe que ha elegido el archivo correcto e inténtelo de nuevo.",
        "Check that you chose the right file and try again."),
    4: ("Una categoría sólo puede colocarse delante de otra categoría.",
        "A category can only be placed in front of another category."),
    5: ("Un grupo no puede colocarse dentro de una cuenta.",
        "A group cannot be placed inside an account."),
    6: ("La contraseña no es correcta: no se puede abrir el perfil.",
        "The password is not correct: the profile cannot be opened."),
    7: ("Compruebe la contraseña (se distinguen mayúsculas y minúsculas) e inténtelo de nuevo.",
        "Check the password (upper and lower case letters differ) and try again."),
    8: ("Cuenta", "Account"),
    9: ("Este perfil fue creado con otra edición del programa:",
        "This profile was created with another edition of the program:"),
    10: ("Esta versión de Brindlevault no puede abrirlo. Ábralo con la edición que lo creó.",
         "This version of Brindlevault cannot open it. Open it with the edition that created it."),
    11: ("Grupo", "Group"),
    12: ("El grupo seleccionado contiene cuentas o subgrupos.",
         "The selected group holds accounts or subgroups."),
    13: ("Si lo elimina, se eliminarán también", "Deleting it will also delete"),
    14: ("todas las cuentas y subgrupos que contiene.", "every account and subgroup inside it."),
    15: ("¿Desea eliminarlo de todos modos?", "Do you want to delete it anyway?"),
    16: ("Agregar cuenta a", "New account in"),
    # Edit-account caption: 17, the account's name, 18, the category or group that holds it
    # and a closing quote.
    17: ('Editar la cuenta "', 'Edit account "'),
    18: ('"" en ""', '"" in ""'),
    19: ("El perfil tiene cambios sin guardar. ¿Desea guardarlos antes de cerrarlo?",
         "The profile has unsaved changes. Do you want to save them before closing it?"),
    20: ("El perfil tiene cambios sin guardar. ¿Desea guardarlos antes de salir?",
         "The profile has unsaved changes. Do you want to save them before exiting?"),
    21: ("Opciones de Brindlevault", "Brindlevault settings"),
    22: ("Generador de contraseñas", "Password generator"),
    23: ("Buscar grupos y cuentas", "Find groups and accounts"),
    24: ("Nuevo perfil", "New profile"),
    25: ("Editar este elemento", "Edit this item"),
    27: ("Agregar grupo", "New group"),
    28: ("Editar categoría o grupo", "Edit category or group"),
    30: ("Iniciar sesión", "Log in"),
    31: ("Agregar categoría", "New category"),
    32: ("Guardar los datos de esta cuenta en un archivo de texto",
         "Save the details of this account to a text file"),
    33: ("Guardar esta página como documento HTML", "Save this page as an HTML document"),
    34: ("Se eliminará la cuenta seleccionada con todos sus datos.",
         "The selected account will be deleted with all its details."),
    35: ("¿Desea continuar?", "Do you want to go on?"),
    36: ("Acerca de Brindlevault", "About Brindlevault"),
    37: ("Editar datos del perfil", "Edit profile details"),
    38: ("Cambiar contraseña de acceso", "Change access password"),
    39: ("ayuda.html", "help.html"),
    41: ("(vacío)", "(empty)"),
    42: ("El nombre de la cuenta debe tener al menos 4 caracteres.",
         "The account name must have at least 4 characters."),
    43: ("Elija una imagen para la cuenta.", "Choose a picture for the account."),
    44: ("El nombre de la categoría debe tener al menos 4 caracteres.",
         "The category name must have at least 4 characters."),
    45: ("El nombre del grupo debe tener al menos 4 caracteres.",
         "The group name must have at least 4 characters."),
    47: ("La contraseña actual no es correcta.", "The current password is not correct."),
    48: ("licencia.txt", "license.txt"),
    50: ("La nueva contraseña y su repetición no coinciden.",
         "The new password and its repetition do not match."),
    51: ("La contraseña de acceso se ha cambiado. El perfil se guardará ahora con la nueva "
         "contraseña.",
         "The access password has been changed. The profile is now saved with the new password."),
    52: ("Genere una contraseña antes de pulsar Aceptar.",
         "Generate a password before pressing OK."),
    53: ("El nombre del propietario debe tener al menos 4 caracteres.",
         "The owner's name must have at least 4 characters."),
    54: ("El título del perfil debe tener al menos 3 caracteres.",
         "The profile title must have at least 3 characters."),
    56: ("La contraseña y su confirmación no coinciden.",
         "The password and its confirmation do not match."),
    57: ("Escriba la misma contraseña en los dos campos, o déjelos en blanco para un perfil sin "
         "contraseña.",
         "Type the same password in both boxes, or leave both blank for a profile without "
         "password."),
    58: ("Ya existe un archivo con ese nombre. ¿Desea reemplazarlo por el nuevo perfil?",
         "A file with that name already exists. Do you want to replace it with the new profile?"),
    60: ("Opciones de la cuenta", "Account options"),
    61: ("Opciones del grupo", "Group options"),
    62: ("Editar esta cuenta", "Edit this account"),
    63: ("Editar este grupo", "Edit this group"),
    64: ("Exportar como texto", "Export as text"),
    65: ("Exportar como HTML", "Export as HTML"),
    66: ("Perfil de", "Profile of"),
    67: ("El perfil está vacío: cree una categoría para empezar.",
         "The profile is empty: create a category to begin."),
    69: ("Bienvenido a Brindlevault", "Welcome to Brindlevault"),
    70: ("Abra un perfil o cree uno nuevo desde el menú Archivo.",
         "Open a profile or create a new one from the File menu."),
    71: ("Datos de la cuenta", "Account details"),
    72: ("Contiene contraseñas sin cifrar: guárdelo en un lugar seguro.",
         "Holds passwords in clear text: keep it in a safe place."),
    94: ("Aceptar", "OK"),
    96: ("Información del perfil", "Profile information"),
    97: ("Archivo:", "File:"),
    98: ("Tamaño:", "Size:"),
    99: ("Cuentas:", "Accounts:"),
    100: ("Categorías y grupos:", "Categories and groups:"),
    101: ("Última modificación:", "Last modified:"),
    102: ("Formato:", "Format:"),
    103: ("con el título", "titled"),
    # The desktop's clipboard refused the text of a copy command, or refused to be emptied.
    104: ("No se pudo copiar al portapapeles del escritorio. Inténtelo de nuevo.",
          "Could not copy to the desktop clipboard. Please try again."),
    105: ("(oculto: Mostrar ocultos en el menú del botón derecho)",
          "(hidden: Show hidden in the right-click menu)"),
    106: ("Perfil de Brindlevault 3.5", "Brindlevault 3.5 profile"),
    107: ("Gestor de cuentas y contraseñas para Linux. Software libre.",
          "Account and password manager for Linux. Free software."),
    # Exporting the whole profile (KDBX password window, CSV warning).
    125: ("Contraseña del archivo exportado", "Password of the exported file"),
    126: ("Escriba una contraseña: el archivo KDBX no puede quedar sin ella.",
          "Type a password: the KDBX file cannot be left without one."),
    127: ("La contraseña y su repetición no coinciden.",
          "The password and its repetition do not match."),
    128: ("El archivo CSV guardará todas las contraseñas del perfil sin cifrar: cualquiera que "
          "pueda leerlo las verá. ¿Desea exportar el perfil de todos modos?",
          "The CSV file will hold every password of the profile in clear text: anyone who can "
          "read it will see them. Do you want to export the profile anyway?"),
    129: ("El archivo elegido es el propio perfil. Elija otro nombre para la exportación.",
          "The chosen file is the profile itself. Choose another name for the export."),
    230: ("Cerrar el perfil abierto antes de suspender el equipo",
          "Close the open profile before the computer sleeps"),
    108: ("No se pudo vaciar el portapapeles del escritorio: lo copiado puede seguir en él.",
          "Could not empty the desktop clipboard: what was copied may still be on it."),
    # Merging two versions of a profile: the conflict copy's name and the summary.
    140: ("%1 (conflicto)",
          "%1 (conflict)"),
    141: ("Añadido en %1: %2",
          "Added in %1: %2"),
    142: ("Borrado en %1: %2",
          "Deleted in %1: %2"),
    143: ("Cambiado en %1: %2 (%3)",
          "Changed in %1: %2 (%3)"),
    144: ("Renombrado en %1: %2, ahora se llama \"%3\"",
          "Renamed in %1: %2, now called \"%3\""),
    145: ("Cambiado de forma distinta en las dos versiones: %1 (%2). Quedan los valores de esta versión; los de la otra están al lado, en \"%3\"",
          "Changed differently in both versions: %1 (%2). This version's values stay; the other version's are beside it, in \"%3\""),
    146: ("Borrado en %1 pero cambiado en la otra, así que se conserva: %2 (%3)",
          "Deleted in %1 but changed in the other, so it is kept: %2 (%3)"),
    147: ("Borrado en %1 pero conservado por lo que la otra guarda dentro: %2",
          "Deleted in %1 but kept for what the other holds inside it: %2"),
    148: ("Propietario y título cambiados en %1: \"%2\" / \"%3\"",
          "Owner and title changed in %1: \"%2\" / \"%3\""),
    149: ("Propietario y título cambiados de forma distinta en las dos versiones: quedan \"%1\" / \"%2\" de esta versión; la otra tiene \"%3\" / \"%4\"",
          "Owner and title changed differently in both versions: this version's \"%1\" / \"%2\" stay; the other version has \"%3\" / \"%4\""),
    150: ("esta versión",
          "this version"),
    151: ("la otra versión",
          "the other version"),
    152: ("Nombre",
          "Name"),
    153: ("Imagen",
          "Picture"),
    154: ("Las dos versiones contienen lo mismo: no hay nada que combinar.",
          "The two versions hold the same: there is nothing to combine."),
}
for number, pair in LABELS.items():
    MESSAGES[number] = pair
    MESSAGES[number + 1] = tuple(label_lines(text) for text in pair)
# The account name stands between two rules of its own width.
MESSAGES[73] = tuple("=" * len(text) for text in LABELS[74])
MESSAGES[75] = MESSAGES[73]


def entries(window, lang):
    pick = 0 if lang == "es" else 1
    if window == "FPrincipal":
        for name, es, en in ACTIONS:
            caption, hint = (es, en)[pick]
            yield name + "c", caption
            yield name + "h", hint
        for name, es, en in HEADINGS:
            yield name + "c", (es, en)[pick]
        for name, es, en in DIALOGS:
            title, flt = (es, en)[pick]
            yield name + "f", flt
            yield name + "t", title
        return
    for name, es, en in WINDOWS[window]:
        yield name, (es, en)[pick]
    if window == "FNuevoPerfil":
        name, es, en = NEW_PROFILE_DIALOG
        title, flt = (es, en)[pick]
        yield name + "f", flt
        yield name + "t", title


# The locale of each file: the toolkit's own texts (standard buttons, file dialogs) follow it.
LOCALE = {"es": "es_ES", "en": "en_US"}


def language_file(lang, header):
    lines = [f"; {line}" for line in header] + [""]
    lines += ["[Idioma]", f"Locale={LOCALE[lang]}", ""]
    for window in WINDOW_ORDER:
        lines.append(f"[{window}]")
        lines += [f"{key}={value}" for key, value in entries(window, lang)]
        lines.append("")
    lines.append("[Mensajes]")
    pick = 0 if lang == "es" else 1
    lines += [f"{n}={MESSAGES[n][pick]}" for n in sorted(MESSAGES)]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def main():
    res = Path(__file__).resolve().parents[2] / "res"
    (res / "Español.lng").write_bytes(language_file("es", [
        "Brindlevault 3.5 - Español",
        "Textos de las ventanas (una sección por ventana) y mensajes del programa.",
        "Archivo en Windows-1252. Los elementos de una lista terminan con el carácter ÷.",
    ]))
    (res / "English.lng").write_bytes(language_file("en", [
        "Brindlevault 3.5 - English",
        "Texts of the windows (one section per window) and messages of the program.",
        "Windows-1252 file. Each item of a list ends with the character ÷.",
    ]))


if __name__ == "__main__":
    main()
