# The dialogs of the profile session: new profile, log-in, change of password, the profile's
# details, and the pieces they share (the export's password window uses them too).
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DialogKit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFInicioSesion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFNuevoPerfil.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFCambiarPass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFEditarPerfil.cpp
)
