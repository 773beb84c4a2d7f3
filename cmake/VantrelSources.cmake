# UI files are named after their class (CChoice.cpp, CShow.cpp, ...); core files are not.
# app/ and framework/qt/ hold UI files only, whatever their names; the core glob of
# framework/ does not descend into framework/qt/.
function(vantrel_core_sources out)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    foreach(f ${files})
      get_filename_component(name ${f} NAME)
      if(NOT name MATCHES "^C[A-Z]")
        list(APPEND result ${f})
      endif()
    endforeach()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(vantrel_ui_sources out)
  file(GLOB result CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/*.h
    ${CMAKE_SOURCE_DIR}/framework/qt/*.cpp ${CMAKE_SOURCE_DIR}/framework/qt/*.h)
  foreach(dir ${ARGN})
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/C[A-Z]*.cpp ${CMAKE_SOURCE_DIR}/${dir}/C[A-Z]*.h)
    list(APPEND result ${files})
  endforeach()
  list(FILTER result EXCLUDE REGEX "/app/main\\.cpp$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()
