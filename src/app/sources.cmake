# Core: the main window's settings.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/WindowSettings.cpp
)
# Qt: the main window, its actions, menus and the Qt versions of the seams.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ActionTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainActions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainMenus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtSeams.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFPrincipal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFPrincipalBrowser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFPrincipalOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFPrincipalSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolkitTranslation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowPlacement.cpp
)
list(APPEND BV_GUI_RESOURCES
  ${PROJECT_SOURCE_DIR}/data/icons/appicon.qrc
)
# The profile session, its commands and the recent profiles list.
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RecentList.cpp
)
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HandOver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IdleLock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeldVersion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OtherVersion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VersionIntake.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DiskFollower.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeViewMemory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentMenus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SessionController.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandOverMessage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TerminationSignals.cpp
)
# Closing the profile when the desktop locks the screen or the computer sleeps (D-Bus).
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OpenWindowsDismisser.cpp
)
list(APPEND BV_DBUS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DesktopLockWatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SessionLockGuard.cpp
)
# Options, about box, tools, printing and exports of the main window.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TFAcerca.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileExport.cpp
)
# Creating, editing and deleting nodes from the main window.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowEditing.cpp
)
# Another writer of the open profile: watching the file, and what a merge did.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ProfileWatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFResumenCombinacion.cpp
)
# Answering the browser extension: the socket, the window's answers and its questions.
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BrowserLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrowserIntegration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrowserQuestions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrowserOptionsGroup.cpp
)
