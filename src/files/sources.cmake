# Files replaced whole and safely, their input/output failures, and what cleans up after a save
# that was stopped: the signal cleanup, the guard process and the removal of leftovers.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/InOutError.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileHandle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LargeBuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaveSignals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkGuard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkGuardWatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TemporaryFileNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileReplacement.cpp
)
# The copies kept beside a profile: sync tools' conflict copies and the backups of saves.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ConflictCopies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BackupStore.cpp
)
# Which version of a profile the window holds: identity, times and SHA-256 (Botan 2, which the
# export's KDBX writer uses as well).
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FileFingerprint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenVersion.cpp
)
find_package(PkgConfig REQUIRED)
pkg_check_modules(BOTAN2 REQUIRED IMPORTED_TARGET botan-2)
list(APPEND BV_CORE_LIBRARIES PkgConfig::BOTAN2)
