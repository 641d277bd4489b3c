# lumaq_add_subdirs(<dir>...): adds each listed folder that has a CMakeLists.txt.
function(lumaq_add_subdirs)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
