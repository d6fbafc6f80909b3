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
# The password strength estimate (core): zxcvbn's, and our own with the word lists of the
# shipped languages. zxcvbn (Debian's libzxcvbn-dev, the C port) ships no pkg-config file, and
# its static library is not position-independent: the shared one is linked.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PasswordStrength.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordGuesses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordLists.cpp
)
find_path(BV_ZXCVBN_INCLUDE_DIR zxcvbn.h REQUIRED)
find_library(BV_ZXCVBN_LIBRARY NAMES libzxcvbn.so zxcvbn REQUIRED)
if(NOT TARGET bv::zxcvbn)
  add_library(bv::zxcvbn SHARED IMPORTED)
  set_target_properties(bv::zxcvbn PROPERTIES
    IMPORTED_LOCATION ${BV_ZXCVBN_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${BV_ZXCVBN_INCLUDE_DIR})
endif()
list(APPEND BV_CORE_LIBRARIES bv::zxcvbn)
# Its bar, shown by the dialogs that take a new password.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StrengthBar.cpp
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
