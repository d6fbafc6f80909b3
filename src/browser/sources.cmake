# Detail view: page model (core) and its viewer (Qt).
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DetailPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailPageBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailSummary.cpp
)
list(APPEND BV_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DetailView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailViewHtml.cpp
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
