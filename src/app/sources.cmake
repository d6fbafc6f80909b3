list(APPEND BV_GUI_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pictures/pictures.qrc
)
