# What `cmake --install` puts under the prefix. The program finds its language files, help and
# documents under share/brindlevault beside bin/ (see src/config/ProgramPaths.h).
set(BV_DATA ${PROJECT_SOURCE_DIR}/data)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/res/ DESTINATION share/brindlevault/res)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION share/brindlevault/help)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/doc/ DESTINATION share/brindlevault)

install(FILES ${BV_DATA}/applications/${BV_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${BV_DATA}/mime/${BV_APP_ID}.xml DESTINATION share/mime/packages)
install(FILES ${BV_DATA}/metainfo/${BV_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${BV_DATA}/icons/${BV_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${BV_DATA}/icons/hicolor/${size}x${size}/apps/${BV_APP_ID}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${BV_DATA}/debian/copyright DESTINATION share/doc/brindlevault)

# Manual pages and the Debian changelog go compressed, without time stamps (gzip -n).
set(BV_COMPRESSED)
foreach(source man/brindlevault.1 man/brindlevault-cli.1 man/brindlevault-proxy.1 debian/changelog)
  get_filename_component(name ${source} NAME)
  if(name STREQUAL "changelog")
    set(name changelog.Debian)
  endif()
  set(out ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/compressed
    COMMAND gzip -9nc ${BV_DATA}/${source} > ${out}
    DEPENDS ${BV_DATA}/${source} VERBATIM)
  list(APPEND BV_COMPRESSED ${out})
endforeach()
add_custom_target(bv-compressed-docs ALL DEPENDS ${BV_COMPRESSED})
install(FILES ${PROJECT_BINARY_DIR}/compressed/brindlevault.1.gz
              ${PROJECT_BINARY_DIR}/compressed/brindlevault-cli.1.gz
              ${PROJECT_BINARY_DIR}/compressed/brindlevault-proxy.1.gz
        DESTINATION share/man/man1)
install(FILES ${PROJECT_BINARY_DIR}/compressed/changelog.Debian.gz DESTINATION share/doc/brindlevault)
