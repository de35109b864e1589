# Header-only libraries of the host (nlohmann/json, CLI11) for the Windows
# cross build, each offered through a folder of its own: handing the compiler
# the host's whole /usr/include would put glibc's headers before MinGW's.
function(dsp_host_headers target folder)
  set(headers ${CMAKE_BINARY_DIR}/host-headers/${folder})
  file(MAKE_DIRECTORY ${headers})
  file(CREATE_LINK /usr/include/${folder} ${headers}/${folder} SYMBOLIC)
  if(NOT TARGET ${target})
    add_library(${target} INTERFACE IMPORTED)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${headers})
  endif()
endfunction()
