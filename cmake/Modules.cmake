# Each source folder is one library whose files are picked up by glob, so that
# adding a unit never needs a CMake edit.
function(mostarium_module name dir)
  cmake_parse_arguments(M "" "" "LINKS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT _src)
    # A folder whose units are still to come gets an empty interface target.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${M_LINKS})
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${M_LINKS})
endfunction()

# One test executable per tests/<area> folder.
function(mostarium_test_area area)
  cmake_parse_arguments(T "" "" "LINKS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*.cpp)
  if(NOT _src)
    return()
  endif()
  set(_exe test_${area})
  add_executable(${_exe} ${_src})
  target_link_libraries(${_exe} PRIVATE ${T_LINKS} mostarium_testsupport GTest::gtest)
  add_test(NAME ${area} COMMAND ${_exe})
  set_tests_properties(${area} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;MOSTARIUM_RESOURCES=${CMAKE_SOURCE_DIR}/resources"
    TIMEOUT 600)
endfunction()
