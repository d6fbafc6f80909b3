# The browser extension's protocol: framing, boxes, the address rule, the actions (no Qt).
find_package(PkgConfig REQUIRED)
pkg_check_modules(BV_SODIUM REQUIRED IMPORTED_TARGET libsodium)
pkg_check_modules(BV_IDN2 REQUIRED IMPORTED_TARGET libidn2)
find_package(nlohmann_json 3 REQUIRED)
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MessageFrames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BoxChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SiteAddress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PublicSuffixes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AddressMatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodeIdentity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostManifests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrowserProtocol.cpp
)
list(APPEND BV_CORE_LIBRARIES PkgConfig::BV_SODIUM PkgConfig::BV_IDN2 nlohmann_json::nlohmann_json)
