# The help pages: resources/WebHelp is copied to ${SV_BIN_DIR}/WebHelp, beside
# the program, whenever a page changes.
file(GLOB_RECURSE SV_WEBHELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/WebHelp/*)
set(SV_WEBHELP_STAMP ${CMAKE_BINARY_DIR}/webhelp.stamp)
add_custom_command(
  OUTPUT ${SV_WEBHELP_STAMP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${SV_BIN_DIR}/WebHelp
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/resources/WebHelp ${SV_BIN_DIR}/WebHelp
  COMMAND ${CMAKE_COMMAND} -E touch ${SV_WEBHELP_STAMP}
  DEPENDS ${SV_WEBHELP_FILES}
  COMMENT "Copying the help pages beside the program"
  VERBATIM)
add_custom_target(sv_webhelp ALL DEPENDS ${SV_WEBHELP_STAMP})
add_dependencies(sonivard sv_webhelp)
