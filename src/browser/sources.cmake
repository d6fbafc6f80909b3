# Detail view: page model (core) and its viewer (Qt).
list(APPEND BV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DetailPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailPageBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailSummary.cpp
)
