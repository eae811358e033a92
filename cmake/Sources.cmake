# Sources are found by folder: every subsystem keeps its logic apart from its
# windows.  A file under a folder named "ui" (or "gui") is a window and goes to
# sonivard_gui; everything else goes to sonivard_core.  app/ui/ is the
# program's composition root, which knows every window; its main.cpp, the
# program's own entry, belongs to neither library.
function(sv_collect_sources core_var gui_var)
  set(core)
  set(gui)
  foreach(dir app foundation shell scanning coordinator playlists cataloguer duplicates encoder ripper options)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    foreach(f ${files})
      if(f MATCHES "/app/ui/main\\.cpp$")
        continue()
      endif()
      if(f MATCHES "/(ui|gui)/")
        list(APPEND gui ${f})
      else()
        list(APPEND core ${f})
      endif()
    endforeach()
  endforeach()
  set(${core_var} ${core} PARENT_SCOPE)
  set(${gui_var} ${gui} PARENT_SCOPE)
endfunction()
