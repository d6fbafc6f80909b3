# What every window layer shares: the action categories, the picture lists, the seams to the world outside
# (message boxes, file dialogs, desktop, clipboard, printer) and the application object with its
# general handler.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GuardedApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActionCategory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlainMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowSize.cpp
)
list(APPEND BV_GUI_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pictures/pictures.qrc
)
