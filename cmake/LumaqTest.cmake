# lumaq_add_test(<name> SOURCES <files...> LIBS <libs...>)
# One GoogleTest program per area, run headless by ctest.
function(lumaq_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE testmain ${T_LIBS} GTest::gtest Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_property(GLOBAL APPEND PROPERTY LUMAQ_TEST_TARGETS ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 600)
endfunction()
