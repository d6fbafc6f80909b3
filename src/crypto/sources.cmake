list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Blowfish.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BlowfishTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChainBatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Cipher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Exceptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FieldCipher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormatRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Hash.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemoryStream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProcessHardening.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Protection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RipeMD256.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WipingFree.cpp
)
