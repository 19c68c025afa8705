# Each layer of Lobrin (toolkit, elements, app) is reached through a directory
# of its own in the build tree that holds only that layer's folder. A library
# publishes its layer's directory and sees only the directories of the layers it
# links, so an include that points up a layer finds no file and fails to build.

# Sets <out_var> to the include directory of <layer> (a folder of the source tree).
function(lobrin_layer_include_dir layer out_var)
  set(dir "${CMAKE_BINARY_DIR}/layers/${layer}")
  file(MAKE_DIRECTORY "${dir}")
  if(NOT EXISTS "${dir}/${layer}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${layer}" "${dir}/${layer}" SYMBOLIC)
  endif()
  set(${out_var} "${dir}" PARENT_SCOPE)
endfunction()
