# Detail view: page model (core) and its viewer (Qt).
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DetailPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailPageBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailSummary.cpp
)
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DetailView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailViewHtml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExportAccountHtml.cpp
)

# Account tree: drop rules, sort order and label styles (core), model and view (Qt).
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TreeDropRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeLabelStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeSortOrder.cpp
)
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccountTreeView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelCollator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeItemDelegate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeModel.cpp
)

# Editing: the dialogs' rules (core), the dialogs and the commands that run them (Qt).
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/NodeEditing.cpp
)
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccountDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditBoxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditingController.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GroupDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemoEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodePictureBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportingClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExpiringClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFAddCuenta.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFCodigoDosPasos.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFAddGrupo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFAddSubGrupo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFEditarCuenta.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFEditarGrupo.cpp
)
