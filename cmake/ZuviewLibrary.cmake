# zuview_library(<name> [DEPS <targets>...])
# One static library per subsystem folder, from every .cpp below the folder.
# Headers are included by their path from the repository root
# ("core/BPoint.h").
# EXCLUDE names subfolders that are libraries of their own. QT turns on
# moc and uic (forms in .ui files beside their classes).
function(zuview_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(folder ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${folder}/")
  endforeach()
  if(ARG_QT)
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(GLOB_RECURSE forms CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
    list(APPEND sources ${headers} ${forms})
  endif()
  if(NOT sources)
    # A library whose first classes are still to come.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC ON)
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zuview_test(<name> <folder> [DEPS <targets>...])
# One GoogleTest executable per source folder of tests/, registered with CTest.
# QT_APP: the tests drive widgets, so their main creates the application
# object first (tests/support/QtTestMain.cpp).
function(zuview_test name folder)
  cmake_parse_arguments(ARG "QT_APP" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  if(ARG_QT_APP)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} zuview_test_support zuview_qt_test_main Qt6::Test
                          GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} zuview_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 takes some std::string concatenations in test helpers for
    # overlapping copies (a known false positive of -Wrestrict at -O2).
    target_compile_options(${name} PRIVATE -Wno-restrict)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
