# Install rules: the game and its tool in bin/ (games/ for the Debian package), the content in share/orbix-tal/,
# the desktop entry, its icon and AppStream metadata, the manual pages and the
# package's documents. The game looks for its content in ../share/orbix-tal from
# its own folder, so these folders are fixed rather than configurable.
set(ORBIX_APP_ID org.orbixtal.OrbixTAL)
set(ORBIX_INSTALL_BINDIR bin CACHE STRING "Where the game and its tool go under the prefix (Debian: games)")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

foreach(program orbix-tal orbix-tool)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${ORBIX_INSTALL_BINDIR})
  endif()
endforeach()
# The content is generated into the build's bin/ folder.
foreach(folder textures models sounds graphics maps)
  install(DIRECTORY ${ORBIX_BIN_DIR}/${folder} DESTINATION share/orbix-tal OPTIONAL)
endforeach()
foreach(size 48 64 128 256)
  install(FILES ${ORBIX_BIN_DIR}/icons/orbix-tal-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME orbix-tal.png OPTIONAL)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orbix-tal.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ORBIX_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# Manual pages and the changelog ship compressed as Debian asks: gzip -9n (no
# name or time stamp in the header, so the same build gives the same bytes).
set(ORBIX_DIST_OUT ${CMAKE_BINARY_DIR}/dist)
set(ORBIX_COMPRESSED)
foreach(source man/orbix-tal.6 man/orbix-tool.6 changelog)
  get_filename_component(name ${source} NAME)
  set(out ${ORBIX_DIST_OUT}/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORBIX_DIST_OUT}
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${CMAKE_CURRENT_LIST_DIR}/${source} ${out}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source}
    VERBATIM)
  list(APPEND ORBIX_COMPRESSED ${out})
endforeach()
add_custom_target(dist-files ALL DEPENDS ${ORBIX_COMPRESSED})
install(FILES ${ORBIX_DIST_OUT}/orbix-tal.6.gz ${ORBIX_DIST_OUT}/orbix-tool.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${ORBIX_DIST_OUT}/changelog.gz DESTINATION share/doc/orbix-tal)

include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
