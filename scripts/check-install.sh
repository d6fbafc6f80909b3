#!/usr/bin/env bash
# Checks what a build folder installs and packages: the file list of `cmake --install`, the
# installed programs started from another folder (the window titles under X11), the desktop entry, the AppStream file, the
# MIME type (glob and magic) and the Debian package with lintian.
# Usage: scripts/check-install.sh BUILD_FOLDER
set -euo pipefail
. "$(dirname "$0")/utf8-locale.sh"
build=$(cd "$1" && pwd)
id=org.brindlevault.Brindlevault
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
expected="bin/brindlevault
bin/brindlevault-cli
share/applications/$id.desktop
share/brindlevault/help/aide.html
share/brindlevault/help/ajuda-ca.html
share/brindlevault/help/ajuda-pt.html
share/brindlevault/help/ayuda.html
share/brindlevault/help/guida.html
share/brindlevault/help/help.html
share/brindlevault/help/hilfe.html
share/brindlevault/help/hulp.html
share/brindlevault/help/style.css
share/brindlevault/licencia.txt
share/brindlevault/license.txt
share/brindlevault/novedades.txt
share/brindlevault/res/Català.lng
share/brindlevault/res/Deutsch.lng
share/brindlevault/res/English.lng
share/brindlevault/res/Español.lng
share/brindlevault/res/Français.lng
share/brindlevault/res/Italiano.lng
share/brindlevault/res/Nederlands.lng
share/brindlevault/res/Português.lng
share/doc/brindlevault/changelog.Debian.gz
share/doc/brindlevault/copyright
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/16x16/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/brindlevault-cli.1.gz
share/man/man1/brindlevault.1.gz
share/metainfo/$id.metainfo.xml
share/mime/packages/$id.xml"
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
  fail "installed files differ:$(diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual"))"
for size in 16 32 48 64 128 256; do
  identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -qx "${size}x${size}" ||
    fail "icon ${size}x${size} has the wrong size"
done

# The installed tool, started from another folder, finds its language files (message 106 marks
# every record) and keeps its settings in the user's folder.
work=$scratch/work
mkdir -p "$work"
echo '{"owner":"Ana","title":"T","nodes":[{"kind":"category","name":"C"}]}' >"$work/t.json"
(cd "$work" && HOME=$scratch/home XDG_CONFIG_HOME=$scratch/cfg "$prefix/bin/brindlevault-cli" \
   create p.bv3 --from t.json --password-stdin <<<"" >/dev/null)
(cd "$work" && "$prefix/bin/brindlevault-cli" info p.bv3 | grep -q "Categories: *1") || fail "installed cli info"
"$prefix/bin/brindlevault-cli" --version | grep -q "^brindlevault-cli " || fail "--version"
[ ! -e "$prefix/bin/brindlevault.ini" ] || fail "settings written beside the installed program"
# The installed program, started from another folder under a fresh X server: the title each
# window hands the window system is exactly its caption, and the window class is the one the
# desktop entry names. Prints "class|title" per visible window once $1 windows show. The
# title is read as hex bytes and written back as bytes: no locale escapes or converts it.
x11_windows() {
  # A runtime folder of its own, so that no other running program takes the command line.
  local runtime
  runtime=$(mktemp -d -p "$scratch")
  XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wanted=$1; shift
    "$@" >/dev/null 2>&1 & pid=$!
    for k in $(seq 100); do
      [ "$(xdotool search --onlyvisible --pid $pid 2>/dev/null | wc -l)" -ge "$wanted" ] && break
      sleep 0.1
    done
    sleep 0.5
    for w in $(xdotool search --onlyvisible --pid $pid 2>/dev/null); do
      class=$(xprop -id "$w" WM_CLASS | sed -n "s/.*, \"\(.*\)\"$/\1/p")
      net=$(printf "$(xprop -id "$w" -f _NET_WM_NAME 8x _NET_WM_NAME |
                      sed -n "s/^[^=]*= //p" | sed "s/0x/\\\\x/g; s/, //g")")
      echo "$class|$net"
    done
    kill $pid' x11 "$@" 2>/dev/null | LC_ALL=C sort
}
wm_class=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/$id.desktop")
(cd "$work" && HOME=$scratch/home XDG_CONFIG_HOME=$scratch/cfg-first QT_QPA_PLATFORM=xcb \
   "$prefix/bin/brindlevault-cli" create locked.bv3 --from t.json --password-stdin <<<"clave" >/dev/null)
first=$(cd "$work" && HOME=$scratch/home XDG_CONFIG_HOME=$scratch/cfg-first QT_QPA_PLATFORM=xcb \
   x11_windows 2 "$prefix/bin/brindlevault")
[ "$first" = "$wm_class|Bienvenido // Welcome
$wm_class|Brindlevault 3.5" ] || fail "first start under X11 shows: $first"
mkdir -p "$scratch/cfg-chosen/brindlevault"
printf '[General]\r\nStartLanguage=0\r\n' >"$scratch/cfg-chosen/brindlevault/brindlevault.ini"
opening=$(cd "$work" && HOME=$scratch/home XDG_CONFIG_HOME=$scratch/cfg-chosen QT_QPA_PLATFORM=xcb \
   x11_windows 2 "$prefix/bin/brindlevault" locked.bv3)
[ "$opening" = "$wm_class|Brindlevault 3.5
$wm_class|Iniciar sesión" ] || fail "opening a profile under X11 shows: $opening"
opened=$(cd "$work" && HOME=$scratch/home XDG_CONFIG_HOME=$scratch/cfg-chosen QT_QPA_PLATFORM=xcb \
   x11_windows 1 "$prefix/bin/brindlevault" p.bv3)
[ "$opened" = "$wm_class|Brindlevault 3.5 - [T]" ] || fail "an open profile under X11 shows: $opened"

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "^MimeType=application/x-brindlevault-profile;$" "$prefix/share/applications/$id.desktop" ||
  fail "desktop entry does not name the profile type"

# The MIME type: by name, and by content for a profile without its extension.
xmllint --noout "$prefix/share/mime/packages/$id.xml"
update-mime-database "$prefix/share/mime" >/dev/null 2>&1
cp "$work/p.bv3" "$work/profile-without-extension"
printf 'not a profile' >"$work/other"
type_of() {
  XDG_DATA_HOME=$scratch/nodata XDG_DATA_DIRS=$prefix/share:/usr/share \
    gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'
}
[ "$(type_of "$work/p.bv3")" = application/x-brindlevault-profile ] || fail "*.bv3 not recognised"
[ "$(type_of "$work/profile-without-extension")" = application/x-brindlevault-profile ] ||
  fail "profile magic not recognised"
[ "$(type_of "$work/other")" != application/x-brindlevault-profile ] || fail "magic too loose"

# The Debian package: built by CPack, free of lintian errors.
(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/*.deb)
contents=$(dpkg-deb -c "$deb")
grep -q "\./usr/bin/brindlevault$" <<<"$contents" || fail "package lacks the program"
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "check-install: all checks passed"
