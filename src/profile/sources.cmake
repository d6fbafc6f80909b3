list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/NodeData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LevelTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DepthLimit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodeCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterPassword.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SessionState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportedText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MergeFields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SiblingMatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SiblingOrder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConflictName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeaderMerge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MergeSummary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileMerge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MergeReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MergeOutcome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeCopy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplicedRecords.cpp
)
# The dialogs of the profile session.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DialogKit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFInicioSesion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFNuevoPerfil.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFCambiarPass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFEditarPerfil.cpp
)
