# zuview_library(<name> [DEPS <targets>...])
# One static library per subsystem folder, from every .cpp below the folder.
# Headers are included by their path from the repository root
# ("core/BPoint.h").
function(zuview_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zuview_test(<name> <folder> [DEPS <targets>...])
# One GoogleTest executable per source folder of tests/, registered with CTest.
function(zuview_test name folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} zuview_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 takes some std::string concatenations in test helpers for
    # overlapping copies (a known false positive of -Wrestrict at -O2).
    target_compile_options(${name} PRIVATE -Wno-restrict)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
