# Programs load their skin at run time from a skin/ folder beside them;
# dsp_use_skin(target) keeps a copy of the repository's skin/ there, with the
# images rendered from skin/image-src (tools/skin_images), refreshed whenever
# a skin file or an image changes.
file(GLOB_RECURSE DSP_SKIN_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/skin/*)
set(DSP_RENDERED_IMAGES ${PROJECT_BINARY_DIR}/skin/image)
set(DSP_RENDERED_IMAGES_STAMP ${PROJECT_BINARY_DIR}/tools/skin_images/skin_images.stamp)

function(dsp_use_skin target)
  get_property(copy_target DIRECTORY PROPERTY DSP_SKIN_COPY_TARGET)
  if(NOT copy_target)
    file(RELATIVE_PATH folder ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
    string(MAKE_C_IDENTIFIER "skin_${folder}" copy_target)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/skin.stamp)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_CURRENT_BINARY_DIR}/skin
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/skin ${CMAKE_CURRENT_BINARY_DIR}/skin
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${DSP_RENDERED_IMAGES} ${CMAKE_CURRENT_BINARY_DIR}/skin/image
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${DSP_SKIN_FILES} ${DSP_RENDERED_IMAGES_STAMP}
      COMMENT "Copying the skin next to the programs in ${folder}")
    add_custom_target(${copy_target} DEPENDS ${stamp})
    add_dependencies(${copy_target} dsp_skin_images)
    set_property(DIRECTORY PROPERTY DSP_SKIN_COPY_TARGET ${copy_target})
  endif()
  add_dependencies(${target} ${copy_target})
endfunction()
