# What `cmake --install` puts under the prefix.  The program finds its
# companions (the tag library, Skins/, WebHelp/) beside its own file and
# nowhere else, so they all go into one folder, lib/sonivard/, and bin/ holds a
# link to the program there.  The string tables and sounds are compiled in.
# For the desktop's menus, share/applications holds the program's entry and
# share/icons/hicolor its icon.  Everything goes in through install(TARGETS,
# FILES, DIRECTORY), so install_manifest.txt lists every file and link.
include(GNUInstallDirs)
set(SV_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/sonivard)

install(TARGETS sonivard RUNTIME DESTINATION ${SV_INSTALL_DIR})
# The program opens "libquillmark.so" by name, so the unversioned link is
# installed beside the versioned file too.
install(TARGETS quillmark LIBRARY DESTINATION ${SV_INSTALL_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/taglib/include/quillmark/Quillmark.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillmark)
install(DIRECTORY ${SV_BIN_DIR}/Skins ${SV_BIN_DIR}/WebHelp DESTINATION ${SV_INSTALL_DIR})

# The link is made in the build tree, relative (bin/ to lib/sonivard/ is the
# same under every prefix), and installed as the link it is.
file(RELATIVE_PATH SV_PROGRAM_LINK_TARGET "/${CMAKE_INSTALL_BINDIR}" "/${SV_INSTALL_DIR}/sonivard")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ${SV_PROGRAM_LINK_TARGET} ${CMAKE_BINARY_DIR}/install-links/sonivard SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-links/sonivard DESTINATION ${CMAKE_INSTALL_BINDIR})

# ---- the desktop's menus: the program's entry and its icon ----
# The icon is drawn at build time in the sizes menus and launchers ask for,
# laid out as the hicolor theme wants it.
add_executable(icon_generator ${CMAKE_SOURCE_DIR}/resources/icons/IconGenerator.cpp)
target_link_libraries(icon_generator PRIVATE Qt6::Gui)
set_target_properties(icon_generator PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools AUTOMOC OFF AUTORCC OFF)
set(SV_ICON_SIZES 16 22 24 32 48 64 128 256)
set(SV_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
set(icon_files)
foreach(size ${SV_ICON_SIZES})
  list(APPEND icon_files ${SV_ICON_DIR}/${size}x${size}/apps/sonivard.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:icon_generator> ${SV_ICON_DIR}
          ${SV_ICON_SIZES}
  DEPENDS icon_generator
  COMMENT "Drawing the program's icon"
  VERBATIM)
add_custom_target(sv_icons ALL DEPENDS ${icon_files})
install(DIRECTORY ${SV_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The menu entry is written at install time, into the build tree, since its
# Exec line names the program under the prefix that `cmake --install` is
# given; the rule after it installs what was written.
set(SV_DESKTOP_ENTRY ${CMAKE_BINARY_DIR}/desktop/sonivard.desktop)
install(CODE "
  set(SV_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/resources/desktop/sonivard.desktop.in\")
  set(SV_DESKTOP_ENTRY \"${SV_DESKTOP_ENTRY}\")
  set(SV_INSTALL_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake\")
")
install(FILES ${SV_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
