# Install rules: the game and its tool in bin/, the content in share/orbix-tal/
# and a desktop entry. The game looks for its content in ../share/orbix-tal from
# its own folder, so these folders are fixed rather than configurable.
foreach(program orbix-tal orbix-tool)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION bin)
  endif()
endforeach()
# The content is generated into the build's bin/ folder.
foreach(folder textures models sounds graphics maps)
  install(DIRECTORY ${ORBIX_BIN_DIR}/${folder} DESTINATION share/orbix-tal OPTIONAL)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orbix-tal.desktop DESTINATION share/applications)
