# Each folder of src is a layer, and the layers are listed lowest first: a layer links, and
# includes, only the layers before it (scripts/check-layers.py reads this list and refuses an
# include that runs up). The other folders (app, cli, proxy) build the programs on top of them;
# a layer whose folder is missing is passed over.
set(BV_LAYERS crypto files config ui profile tools extension profiledialogs browser export)
# A folder lists its files in a sources.cmake of its own:
#   BV_CORE_SOURCES    plain C++ (no Qt): the layer's core library bv_<folder>, linked by tests,
#                      benchmarks, fuzzers and the CLI
#   BV_CORE_LIBRARIES  libraries the core sources need (imported targets)
#   BV_GUI_SOURCES     Qt Widgets windows and adapters: the layer's window library bv_<folder>_gui
#   BV_GUI_RESOURCES   Qt resource files of the window library
#   BV_DBUS_SOURCES    what listens to the desktop session on D-Bus (library bvdbus)
# A layer's core library links the core library of the layer below; its window library links
# its own core and the nearest window library below. A layer without core sources keeps a
# core target all the same (its headers, if any), so that the chain has no gaps.
if(BV_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport Network DBus)
endif()
set(BV_CORE_BELOW)
set(BV_GUI_BELOW)
set(BV_DBUS_SOURCES)
function(bv_add_layer layer)
  set(core bv_${layer})
  if(BV_CORE_SOURCES)
    add_library(${core} STATIC ${BV_CORE_SOURCES})
    target_compile_options(${core} PRIVATE ${BV_WARNINGS})
    set(scope PUBLIC)
  else()
    add_library(${core} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${core} ${scope} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${core} ${scope} ${BV_CORE_BELOW} ${BV_CORE_LIBRARIES})
  set(BV_CORE_BELOW ${core} PARENT_SCOPE)
  if(BV_BUILD_GUI AND BV_GUI_SOURCES)
    set(gui bv_${layer}_gui)
    add_library(${gui} STATIC ${BV_GUI_SOURCES} ${BV_GUI_RESOURCES})
    target_link_libraries(${gui} PUBLIC ${core} ${BV_GUI_BELOW}
      Qt6::Widgets Qt6::PrintSupport Qt6::Network)
    target_compile_options(${gui} PRIVATE ${BV_WARNINGS})
    set_target_properties(${gui} PROPERTIES AUTOMOC ON AUTORCC ON)
    set(BV_GUI_BELOW ${gui} PARENT_SCOPE)
  endif()
endfunction()

foreach(layer ${BV_LAYERS} app)
  set(BV_CORE_SOURCES)
  set(BV_CORE_LIBRARIES)
  set(BV_GUI_SOURCES)
  set(BV_GUI_RESOURCES)
  if(layer STREQUAL "app")
    set(BV_LAYERS_CORE ${BV_CORE_BELOW})  # what the tool stands on: the layers, not the program
  endif()
  if(NOT EXISTS ${PROJECT_SOURCE_DIR}/src/${layer}/sources.cmake)
    continue()
  endif()
  include(${PROJECT_SOURCE_DIR}/src/${layer}/sources.cmake)
  bv_add_layer(${layer})
endforeach()

# Freed memory is wiped (crypto/WipingFree.cpp) unless a sanitizer brings its own allocator.
# free() is named undefined up front so that every program linking the crypto layer takes the
# wiping one from it.
if(BV_SANITIZE OR BV_FUZZ OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  target_compile_definitions(bv_crypto PRIVATE BV_WIPING_FREE=0)
else()
  target_compile_definitions(bv_crypto PRIVATE BV_WIPING_FREE=1)
  target_link_options(bv_crypto INTERFACE "LINKER:--undefined=free")
endif()

# The umbrella that tests, benchmarks and fuzzers link: every core library.
add_library(bvcore INTERFACE)
target_link_libraries(bvcore INTERFACE ${BV_CORE_BELOW})

# The command-line tool.
set(BV_RUNTIME_DIR ${PROJECT_BINARY_DIR}/bin)
if(EXISTS ${PROJECT_SOURCE_DIR}/src/cli/sources.cmake)
  include(${PROJECT_SOURCE_DIR}/src/cli/sources.cmake)
  add_executable(brindlevault-cli ${BV_CLI_SOURCES})
  target_link_libraries(brindlevault-cli PRIVATE ${BV_LAYERS_CORE})
  target_compile_options(brindlevault-cli PRIVATE ${BV_WARNINGS})
  target_compile_definitions(brindlevault-cli PRIVATE BV_VERSION="${PROJECT_VERSION}")
  find_package(nlohmann_json 3 REQUIRED)
  target_link_libraries(brindlevault-cli PRIVATE nlohmann_json::nlohmann_json)
  set_target_properties(brindlevault-cli PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BV_RUNTIME_DIR})
  install(TARGETS brindlevault-cli RUNTIME DESTINATION bin)
endif()

# The host program the browser starts for its extension, installed beside the program; like
# the tool, it stands on the layers.
if(EXISTS ${PROJECT_SOURCE_DIR}/src/proxy/sources.cmake)
  include(${PROJECT_SOURCE_DIR}/src/proxy/sources.cmake)
  add_executable(brindlevault-proxy ${BV_PROXY_SOURCES})
  target_link_libraries(brindlevault-proxy PRIVATE ${BV_LAYERS_CORE})
  target_compile_options(brindlevault-proxy PRIVATE ${BV_WARNINGS})
  set_target_properties(brindlevault-proxy PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BV_RUNTIME_DIR})
  install(TARGETS brindlevault-proxy RUNTIME DESTINATION bin)
endif()

# The save guard started again after the first one died (files/LinkGuard.h): a small program
# of its own, beside the programs in the build folder and under lib/brindlevault installed.
add_executable(bv-link-guard ${PROJECT_SOURCE_DIR}/src/files/LinkGuardMain.cpp
                             ${PROJECT_SOURCE_DIR}/src/files/LinkGuardWatch.cpp)
target_include_directories(bv-link-guard PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(bv-link-guard PRIVATE ${BV_WARNINGS})
set_target_properties(bv-link-guard PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BV_RUNTIME_DIR})
install(TARGETS bv-link-guard RUNTIME DESTINATION lib/brindlevault)
if(TARGET brindlevault-cli)
  add_dependencies(brindlevault-cli bv-link-guard)
endif()

if(BV_BUILD_GUI)
  set(CMAKE_AUTOMOC ON)
  set(CMAKE_AUTORCC ON)
  # The umbrella of the window libraries (each with the core below it), as tests link it.
  add_library(bvgui INTERFACE)
  target_link_libraries(bvgui INTERFACE ${BV_GUI_BELOW})
  # What listens to the desktop session on D-Bus, in a library of its own: only it (and what
  # includes it) builds with QtDBus.
  add_library(bvdbus STATIC ${BV_DBUS_SOURCES})
  target_link_libraries(bvdbus PUBLIC bvgui Qt6::DBus)
  target_compile_options(bvdbus PRIVATE ${BV_WARNINGS})
  if(EXISTS ${PROJECT_SOURCE_DIR}/src/app/main.cpp)
    add_executable(brindlevault ${PROJECT_SOURCE_DIR}/src/app/main.cpp)
    target_link_libraries(brindlevault PRIVATE bvdbus)
    add_dependencies(brindlevault bv-link-guard)
    target_compile_options(brindlevault PRIVATE ${BV_WARNINGS})
    target_compile_definitions(brindlevault PRIVATE BV_APP_ID="${BV_APP_ID}")
    install(TARGETS brindlevault RUNTIME DESTINATION bin)
  endif()
endif()

# The program looks for res/, help/ and the documents of doc/ beside its executable: mirror them into the build tree.
file(GLOB BV_LANGUAGE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/*.lng)
file(GLOB BV_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
if(TARGET brindlevault)
  set_target_properties(brindlevault PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BV_RUNTIME_DIR})
endif()
add_custom_target(bv-runtime-files ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BV_RUNTIME_DIR}/res ${BV_RUNTIME_DIR}/help
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/res ${BV_RUNTIME_DIR}/res
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help ${BV_RUNTIME_DIR}/help
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/doc ${BV_RUNTIME_DIR}
  COMMENT "Copying language files and documents beside the program")
