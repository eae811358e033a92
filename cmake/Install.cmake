# What `cmake --install` puts under the prefix.  The program finds its
# companions (the tag library, Skins/, WebHelp/) beside its own file and
# nowhere else, so they all go into one folder, lib/sonivard/, and bin/ holds a
# link to the program there.  The string tables and sounds are compiled in.
include(GNUInstallDirs)
set(SV_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/sonivard)

install(TARGETS sonivard RUNTIME DESTINATION ${SV_INSTALL_DIR})
# The program opens "libquillmark.so" by name, so the unversioned link is
# installed beside the versioned file too.
install(TARGETS quillmark LIBRARY DESTINATION ${SV_INSTALL_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/taglib/include/quillmark/Quillmark.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillmark)
install(DIRECTORY ${SV_BIN_DIR}/Skins ${SV_BIN_DIR}/WebHelp DESTINATION ${SV_INSTALL_DIR})

set(SV_INSTALLED_PROGRAM "${SV_INSTALL_DIR}/sonivard")
install(CODE "
  set(prefix \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(MAKE_DIRECTORY \"\${prefix}/${CMAKE_INSTALL_BINDIR}\")
  file(RELATIVE_PATH target \"\${prefix}/${CMAKE_INSTALL_BINDIR}\" \"\${prefix}/${SV_INSTALLED_PROGRAM}\")
  file(CREATE_LINK \"\${target}\" \"\${prefix}/${CMAKE_INSTALL_BINDIR}/sonivard\" SYMBOLIC)
  message(STATUS \"Installing: \${prefix}/${CMAKE_INSTALL_BINDIR}/sonivard -> \${target}\")
")
