# `cpack -G DEB` in a build folder makes the Debian package. The desktop, MIME and icon
# caches are refreshed by the triggers of desktop-file-utils, shared-mime-info and
# hicolor-icon-theme, so the package needs no maintainer scripts.
set(CPACK_PACKAGE_NAME brindlevault)
set(CPACK_PACKAGE_VENDOR "The Brindlevault developers")
set(CPACK_PACKAGE_CONTACT "The Brindlevault developers <developers@brindlevault.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "manager for accounts and passwords kept in protected profiles")
set(CPACK_PACKAGE_DESCRIPTION
  "Brindlevault keeps every account a person holds (web sites, e-mail, FTP,
networks, chat, programs) in one profile file, in a tree of categories,
groups and accounts, guarded by a master password. It copies any field to
the clipboard with one key, searches, generates random passwords, prints
and exports accounts, and never destroys the previous file when saving.
It reads and writes the profiles of Brindlevault 3.5 byte for byte.
.
The package also holds brindlevault-cli, which looks into, creates and
exports profiles from the shell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.brindlevault.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a platform plug-in the program cannot open a window: X11's, and Wayland's so that
# it runs natively on a Wayland session instead of through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland")
# The toolkit's own buttons and dialogs speak the program's language only with Qt's translations.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-translations-l10n")
# The strength estimate knows the words of the shipped languages from the system's word lists.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
       ", wspanish, wfrench, wngerman, witalian, wbrazilian, wcatalan, wdutch, wamerican")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackLocale.cmake)
include(CPack)
