# What every window layer shares: the action categories, the picture lists, the seams to the world outside
# (message boxes, file dialogs, desktop, clipboard, printer) and the application object with its
# general handler.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GuardedApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActionCategory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlainMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollingPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrengthBar.cpp
)
list(APPEND BV_GUI_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pictures/pictures.qrc
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
