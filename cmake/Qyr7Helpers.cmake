# qyr7_add_subsystem(<name> [DEPS <lib>...])
# One static library per subsystem folder under src/. Every .cpp below the
# folder belongs to it, except the qt/ subfolder: that becomes <name>_qt and is
# the only place allowed to include Qt. Every subsystem is listed in the
# global property QYR7_SUBSYSTEMS and every <name>_qt in QYR7_QT_LIBS: the
# program links the first, its window module the second (src/main).
function(qyr7_add_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;QT_DEPS" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${name})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "/qt/")
  list(FILTER srcs EXCLUDE REGEX "/headless/")
  if(NOT srcs)
    set(srcs ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${srcs})
  set_property(GLOBAL APPEND PROPERTY QYR7_SUBSYSTEMS ${name})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  file(GLOB_RECURSE qtsrcs CONFIGURE_DEPENDS ${dir}/qt/*.cpp)
  if(qtsrcs AND QYR7_HAVE_QT)
    add_library(${name}_qt STATIC ${qtsrcs})
    set_property(GLOBAL APPEND PROPERTY QYR7_QT_LIBS ${name}_qt)
    target_link_libraries(${name}_qt PUBLIC ${name} ${ARG_QT_DEPS} Qt6::Widgets Qt6::PrintSupport)
  endif()
endfunction()

# qyr7_add_test_dir(<subdir> LIBS <lib>...)
# All .cpp files of tests/<subdir> form one test program; ctest sees every
# test case on its own. Test data (golden files) sit beside the sources and
# are found through QYR7_TEST_DIR.
function(qyr7_add_test_dir sub)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  set(exe test_${sub})
  # Every program resets the state of the libraries it links around each
  # test: the first library named and every subsystem below it.
  add_executable(${exe} ${srcs} ${CMAKE_CURRENT_SOURCE_DIR}/common/statereset.cpp)
  target_link_libraries(${exe} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${exe} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  get_property(subsystems GLOBAL PROPERTY QYR7_SUBSYSTEMS)
  list(GET ARG_LIBS 0 top)
  list(FIND subsystems ${top} last)
  if(last GREATER_EQUAL 0)
    foreach(i RANGE ${last})
      list(GET subsystems ${i} lib)
      string(TOUPPER ${lib} lib)
      target_compile_definitions(${exe} PRIVATE QYR7_LINKS_${lib})
    endforeach()
  endif()
  target_compile_definitions(${exe} PRIVATE
    QYR7_TEST_DIR="${CMAKE_CURRENT_SOURCE_DIR}/${sub}"
    QYR7_DATA_DIR="${QYR7_DATA_OUT}"
    QYR7_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # Parameterised cases are named by their suite's name generator; the
  # printed parameter (raw bytes for a struct) stays out of the test name.
  gtest_discover_tests(${exe}
    NO_PRETTY_VALUES
    EXTRA_ARGS --gtest_shuffle
    PROPERTIES ENVIRONMENT "LC_ALL=C" ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
