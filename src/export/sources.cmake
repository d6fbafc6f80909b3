# Whole-profile export to other password managers (KDBX 4, CSV) and CSV import.
# The KDBX 4 writer.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SecureBytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodePictures.cpp
  ${PROJECT_BINARY_DIR}/generated/export/NodePicturePngs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Gzip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KdbxKey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KdbxXml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KdbxContainer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KdbxFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KdbxWriter.cpp
)
include(${CMAKE_CURRENT_LIST_DIR}/kdbx.cmake)
# CSV export and import.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CsvFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GroupPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CsvExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CsvImport.cpp
)
# The export command's password window.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TFExportarPerfil.cpp
)
