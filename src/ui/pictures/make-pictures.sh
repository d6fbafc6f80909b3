#!/usr/bin/env bash
# Rebuilds the pictures of the main window from the Tango icon theme (Debian package
# tango-icon-theme, public domain) and draws the few it lacks with ImageMagick. Every picture
# comes in two sizes: NN.png (16x16) and NN@2x.png (32x32, for screens with twice the pixel
# density; Qt picks it by name). The 32x32 ones are rendered from Tango's scalable SVGs with
# rsvg-convert (Debian package librsvg2-bin).
# The PNGs are committed; the build never runs this script.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
T=/usr/share/icons/Tango/16x16
S=/usr/share/icons/Tango/scalable
nodes="$here/nodes"
buttons="$here/buttons"
mkdir -p "$nodes" "$buttons"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The double-size name beside a picture: nodes/00.png -> nodes/00@2x.png.
twice() { echo "${1%.png}@2x.png"; }
svg32() { rsvg-convert -w 32 -h 32 "$S/$1.svg" -o "$2"; }

take() { cp -L "$T/$1.png" "$2"; svg32 "$1" "$(twice "$2")"; }
# A picture with a small emblem in its lower right corner; the emblem's 32x32 drawing is
# expected beside it as $(twice emblem).
badge() {
  convert "$T/$1.png" \( "$2" -resize 9x9 \) -gravity southeast -composite "$3"
  svg32 "$1" "$work/base32.png"
  convert "$work/base32.png" \( "$(twice "$2")" -resize 18x18 \) -gravity southeast -composite \
    "$(twice "$3")"
}
# Drawn at 64x64 and scaled down to both sizes, which smooths the edges.
shrink() { convert "$1" -resize 16x16 "$2"; convert "$1" -resize 32x32 "$(twice "$2")"; }

# --- drawn pictures ---------------------------------------------------------------------

# Database: a blue cylinder with two bands.
convert -size 64x64 xc:none -strokewidth 3 -stroke '#204a87' -fill '#729fcf' \
  -draw 'ellipse 32,50 22,8 0,360' \
  -stroke none -draw 'rectangle 10,14 54,50' \
  -stroke '#204a87' -draw 'line 10,14 10,50' -draw 'line 54,14 54,50' \
  -fill none -draw 'ellipse 32,26 22,8 0,180' -draw 'ellipse 32,38 22,8 0,180' \
  -fill '#b4cdeb' -draw 'ellipse 32,14 22,8 0,360' "$work/database.png"
shrink "$work/database.png" "$nodes/18.png"

# Instant messenger: a green buddy with a speech balloon.
convert -size 64x64 xc:none -strokewidth 3 -stroke '#4e9a06' -fill '#8ae234' \
  -draw 'circle 22,24 22,12' \
  -draw 'path "M 4,60 C 4,40 40,40 40,60 Z"' \
  -stroke '#c4a000' -fill '#fce94f' \
  -draw 'roundrectangle 30,2 62,26 8,8' \
  -draw 'polygon 40,25 36,34 48,25' \
  -stroke none -draw 'rectangle 38,22 48,26' "$work/messenger.png"
shrink "$work/messenger.png" "$nodes/14.png"

# Sort: three bars growing downwards beside a down arrow.
convert -size 64x64 xc:none -stroke '#204a87' -strokewidth 2 -fill '#729fcf' \
  -draw 'rectangle 4,8 20,18' -draw 'rectangle 4,27 30,37' -draw 'rectangle 4,46 40,56' \
  -stroke '#4e9a06' -fill '#73d216' \
  -draw 'polygon 48,4 58,4 58,40 63,40 53,60 43,40 48,40' "$work/sort.png"
shrink "$work/sort.png" "$buttons/14.png"

# Key for the password generator.
convert -size 64x64 xc:none -stroke '#8f5902' -strokewidth 4 -fill '#edd400' \
  -draw 'circle 18,32 18,14' \
  -draw 'polygon 32,28 62,28 62,36 56,36 56,46 50,46 50,36 44,36 44,44 38,44 38,36 32,36' \
  -fill '#fcf5b0' -strokewidth 3 -draw 'circle 14,32 14,26' "$work/key.png"
shrink "$work/key.png" "$buttons/25.png"

# Eye for "show hidden".
convert -size 64x64 xc:none -stroke '#2e3436' -strokewidth 4 -fill white \
  -draw 'path "M 2,32 Q 32,4 62,32 Q 32,60 2,32 Z"' \
  -stroke none -fill '#3465a4' -draw 'circle 32,32 32,20' \
  -fill black -draw 'circle 32,32 32,26' \
  -fill white -draw 'circle 36,27 36,24' "$work/eye.png"
shrink "$work/eye.png" "$buttons/31.png"

# Field bullet: a small blue ball; link bullet: a small orange arrow head.
convert -size 64x64 xc:none -stroke '#204a87' -strokewidth 4 -fill '#3465a4' \
  -draw 'circle 32,32 32,18' -stroke none -fill '#9dbce6' -draw 'circle 28,28 28,23' \
  "$work/field.png"
shrink "$work/field.png" "$buttons/28.png"
convert -size 64x64 xc:none -stroke '#ce5c00' -strokewidth 4 -fill '#fcaf3e' \
  -draw 'polygon 18,12 50,32 18,52' "$work/link.png"
shrink "$work/link.png" "$buttons/29.png"

# Pencil, red cross and plus used as emblems on other pictures.
convert -size 64x64 xc:none -stroke '#2e3436' -strokewidth 4 -fill '#fcaf3e' \
  -draw 'polygon 44,6 58,20 22,56 6,58 8,42' \
  -fill '#2e3436' -draw 'polygon 6,58 8,48 16,56' "$work/pencil.png"
cp "$work/pencil.png" "$(twice "$work/pencil.png")"
take actions/process-stop "$work/cross.png"
take actions/list-add "$work/plus.png"
take apps/internet-web-browser "$work/globe.png"
take actions/appointment-new "$work/clock.png"

# --- node pictures (ImgCuentasGrupos, in the order of the picture choosers) -----------------
take apps/internet-mail                       "$nodes/00.png"  # Correo general
take actions/mail-send-receive               "$nodes/01.png"  # Outlook: a mail client
badge apps/internet-mail "$work/globe.png"    "$nodes/02.png"  # Hotmail: mail on the web
take mimetypes/www                            "$nodes/03.png"  # Acceso a web
take categories/applications-internet         "$nodes/04.png"  # Conexión a Internet
take places/network-workgroup                 "$nodes/05.png"  # Conexión a Red
take places/user-desktop                      "$nodes/06.png"  # Escritorio
take apps/preferences-desktop-remote-desktop  "$nodes/07.png"  # Escritorio remoto
take places/folder-remote                     "$nodes/08.png"  # Acceso a FTP
take categories/applications-system           "$nodes/09.png"  # Servicios
take mimetypes/application-x-executable       "$nodes/10.png"  # Programas
take categories/preferences-system            "$nodes/11.png"  # Configuraciones
take apps/internet-news-reader                "$nodes/12.png"  # Noticias
take apps/internet-group-chat                 "$nodes/13.png"  # Chats
                                                               # 14 Messenger: drawn above
take status/network-wireless-encrypted        "$nodes/15.png"  # Seguridad
take apps/system-users                        "$nodes/16.png"  # Grupo de usuarios
take apps/preferences-system-session          "$nodes/17.png"  # Sesión de Inicio
                                                               # 18 Bases de datos: drawn above
take mimetypes/x-office-spreadsheet           "$nodes/19.png"  # Hojas de cálculo
take mimetypes/package-x-generic              "$nodes/20.png"  # Archivos comprimidos
take mimetypes/x-office-document              "$nodes/21.png"  # Documentos
take apps/preferences-desktop-accessibility   "$nodes/22.png"  # Accesibilidad
take places/folder                            "$nodes/23.png"  # General 1
take apps/system-file-manager                 "$nodes/24.png"  # General 2
take emblems/emblem-favorite                  "$nodes/25.png"  # General 3

# --- button pictures (ImgBotones) -----------------------------------------------------------
take actions/system-log-out             "$buttons/00.png"  # ActSalir
take actions/document-open              "$buttons/01.png"  # ActAbrir
take actions/document-save              "$buttons/02.png"  # ActGuardar
take actions/document-new               "$buttons/03.png"  # ActNuevo
take actions/process-stop               "$buttons/04.png"  # ActCerrar
take actions/document-save-as           "$buttons/05.png"  # ActGuardarComo
take actions/document-print             "$buttons/06.png"  # ActImprimir
take actions/folder-new                 "$buttons/07.png"  # ActNGrupo
badge places/folder "$work/plus.png"    "$buttons/08.png"  # ActNSubGrupo
badge places/folder "$work/pencil.png"  "$buttons/09.png"  # ActEGrupo
badge places/folder "$work/cross.png"   "$buttons/10.png"  # ActBGrupo
take actions/contact-new                "$buttons/11.png"  # ActNCuenta
badge apps/system-users "$work/pencil.png" "$buttons/12.png"  # ActECuenta
badge apps/system-users "$work/cross.png"  "$buttons/13.png"  # ActBCuenta
                                                           # 14 ActOrdenar: drawn above
take actions/edit-find                  "$buttons/15.png"  # ActBuscar
take actions/document-properties        "$buttons/16.png"  # ActEditarPerfil
take mimetypes/x-office-address-book    "$buttons/17.png"  # ActInformacion
take actions/edit-copy                  "$buttons/18.png"  # copy commands
take apps/help-browser                  "$buttons/19.png"  # ActAyuda
take apps/internet-web-browser          "$buttons/20.png"  # ActWeb
take mimetypes/text-x-generic           "$buttons/21.png"  # ActCambios
take actions/edit-clear                 "$buttons/22.png"  # ActBorrarCB
take mimetypes/application-certificate  "$buttons/23.png"  # ActLicencia
take status/dialog-information          "$buttons/24.png"  # ActAcercaDe
                                                           # 25 ActGenerador: drawn above
take actions/system-lock-screen         "$buttons/26.png"  # ActCambPass
take categories/preferences-system      "$buttons/27.png"  # ActConfiguracion
                                                           # 28, 29 bullets: drawn above
badge actions/document-open "$work/clock.png" "$buttons/30.png"  # ActRecientes
                                                           # 31 ActVerOcultos: drawn above
take actions/edit-delete                "$buttons/32.png"  # ActPopEliminar
take apps/accessories-text-editor       "$buttons/33.png"  # ActPopEditar

# Strip the time stamps so that rebuilding gives the same bytes.
for f in "$nodes"/*.png "$buttons"/*.png; do
  convert "$f" -strip -define png:exclude-chunks=date,time "PNG32:$f"
done
echo "pictures written to $here"
