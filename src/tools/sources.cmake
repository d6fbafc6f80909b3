list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RandomSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordPool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordLength.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodeSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Banner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccountText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintLayout.cpp
)
# Two-step codes from the seed an account keeps in its notes.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OneTimeCode.cpp
)
# The health of a profile's passwords and the offline list of breached ones.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BreachList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordHealth.cpp
)
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SecretClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LengthInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFGenPass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFBusqueda.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintDocument.cpp
)
# The password health report.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HealthTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFSaludClaves.cpp
)
# Printing an account and its HTML export.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PrinterSetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintAccount.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentHtml.cpp
)
