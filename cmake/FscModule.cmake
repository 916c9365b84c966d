# Helpers that make every library, program and test folder look the same.
#
# fsc_add_module(name [GUI_FREE] SOURCES ... [DEPS ...] [PRIVATE_DEPS ...])
#   Makes the static library fsc_<name> from src/<name>. A GUI_FREE module
#   refuses any Qt dependency, so the layering cannot rot by accident.
function(fsc_add_module name)
  cmake_parse_arguments(ARG "GUI_FREE" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  if(ARG_GUI_FREE)
    foreach(dep IN LISTS ARG_DEPS ARG_PRIVATE_DEPS)
      if(dep MATCHES "^Qt")
        message(FATAL_ERROR "fsc_${name} is GUI-free and must not depend on ${dep}")
      endif()
    endforeach()
  endif()
  add_library(fsc_${name} STATIC ${ARG_SOURCES})
  target_include_directories(fsc_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(fsc_${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# fsc_add_test(name SOURCES ... DEPS ... [ENVIRONMENT ...])
#   A GoogleTest program registered test by test with CTest.
function(fsc_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
