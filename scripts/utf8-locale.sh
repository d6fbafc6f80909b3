# Sourced by the scripts: the tools they run (CMake, CPack, xprop, the tests) read and write
# UTF-8 file names such as "Español.lng" and window titles. A machine with no locale set
# (a container, `env -i`) gets C.UTF-8, which every Debian system has; a locale the user
# chose is kept.
if [ -z "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ]; then
  export LANG=C.UTF-8
fi
