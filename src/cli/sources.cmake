set(BV_CLI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnalyzeCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeJson.cpp
)
