list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/NodeData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InOutError.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LevelTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodeCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileReplacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStore.cpp
)
