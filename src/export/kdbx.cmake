# What the KDBX 4 writer needs besides its sources: Botan 2 and zlib for the modern
# primitives, and the node pictures as PNG bytes (the file carries them as custom icons).
find_package(PkgConfig REQUIRED)
pkg_check_modules(BOTAN2 REQUIRED IMPORTED_TARGET botan-2)
find_package(ZLIB REQUIRED)
list(APPEND BV_CORE_LIBRARIES PkgConfig::BOTAN2 ZLIB::ZLIB)

file(GLOB BV_NODE_PICTURES ${PROJECT_SOURCE_DIR}/src/ui/pictures/nodes/[0-9][0-9].png)
list(SORT BV_NODE_PICTURES)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/generated/export/NodePicturePngs.cpp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/generated/export
  COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${PROJECT_BINARY_DIR}/generated/export/NodePicturePngs.cpp"
          "-DINPUTS=${BV_NODE_PICTURES}" -P ${PROJECT_SOURCE_DIR}/cmake/EmbedPictures.cmake
  DEPENDS ${BV_NODE_PICTURES} ${PROJECT_SOURCE_DIR}/cmake/EmbedPictures.cmake
  COMMENT "Embedding the node pictures for the KDBX export"
  VERBATIM)
