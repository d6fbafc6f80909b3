# Read by cpack itself as it makes the package. Its archiver converts file names through the
# locale, and under none (the C locale of a bare machine or `env -i`) it cannot read the
# UTF-8 name "Español.lng": without a locale of the user's, cpack takes C.UTF-8, which every
# Debian system has.
if("$ENV{LC_ALL}$ENV{LC_CTYPE}$ENV{LANG}" STREQUAL "")
  set(ENV{LC_CTYPE} C.UTF-8)
endif()
