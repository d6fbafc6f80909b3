list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Cp1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BreachListSetting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CopyFailureText.cpp
)
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QtText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FailureText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WipedQtText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Translation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccessibleNames.cpp
)
# The options dialog and the first-run language picker.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LanguageList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFOpciones.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFOpcionesFiltradas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFIdiomaInicio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollingPage.cpp
)
