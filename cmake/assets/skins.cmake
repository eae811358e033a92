# Skin schemes beside the program: ${SV_BIN_DIR}/Skins/<scheme>/ with the
# scheme's Settings.ini (from resources/skins/<scheme>/) and its 14 pictures,
# drawn at build time by our own generator.

add_executable(skin_generator
  ${CMAKE_SOURCE_DIR}/resources/skins/generator/SkinGenerator.cpp
  ${CMAKE_SOURCE_DIR}/shell/SkinArt.cpp)
target_include_directories(skin_generator PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(skin_generator PRIVATE Qt6::Gui)
set_target_properties(skin_generator PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools AUTOMOC OFF AUTORCC OFF)

set(SV_SKIN_PICTURES
  TitleBar.jpg ButtonUP.Jpg ButtonDN.Jpg CheckON.Jpg CheckOFF.Jpg CloseUP.Jpg CloseDN.Jpg
  MinimizeUP.Jpg MinimizeDN.Jpg RadioON.Jpg RadioOFF.Jpg RestoreUP.Jpg RestoreDN.Jpg 800x600.Jpg)

set(skin_outputs)
foreach(scheme "Fun Blue" "Slate")
  set(out_dir "${SV_BIN_DIR}/Skins/${scheme}")
  set(pictures)
  foreach(picture ${SV_SKIN_PICTURES})
    list(APPEND pictures "${out_dir}/${picture}")
  endforeach()
  add_custom_command(
    OUTPUT ${pictures}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:skin_generator> "${scheme}" "${out_dir}"
    DEPENDS skin_generator
    COMMENT "Drawing the skin scheme ${scheme}"
    VERBATIM)
  add_custom_command(
    OUTPUT "${out_dir}/Settings.ini"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${out_dir}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${CMAKE_SOURCE_DIR}/resources/skins/${scheme}/Settings.ini"
            "${out_dir}/Settings.ini"
    DEPENDS "${CMAKE_SOURCE_DIR}/resources/skins/${scheme}/Settings.ini"
    VERBATIM)
  list(APPEND skin_outputs ${pictures} "${out_dir}/Settings.ini")
endforeach()
add_custom_target(skins ALL DEPENDS ${skin_outputs})
add_dependencies(sonivard skins)
