# Helpers that keep the per-folder CMakeLists short.

# velmora_test(name SOURCES... LIBS...): a GoogleTest program registered with CTest.
# Test cases are discovered when ctest runs, so wx tests see the Xvfb display.
# Programs marked THREADED start a worker, a window or a parallel loop: their tests carry the CTest
# label "threaded", and the target threaded_tests builds just them, so that a sanitizer build
# needs nothing else.
add_custom_target(threaded_tests)
function(velmora_test name)
  cmake_parse_arguments(T "THREADED" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE VELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  # A fixture in a test file's anonymous namespace is right; in a unity build GCC takes the
  # included file for a header and warns that the tests derived from it are not file-local.
  if(CMAKE_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${name} PRIVATE -Wno-subobject-linkage)
  endif()
  set(properties ENVIRONMENT "VELMORA_DATA_DIR=${PROJECT_SOURCE_DIR}/data")
  if(T_THREADED)
    list(APPEND properties LABELS threaded)
    add_dependencies(threaded_tests ${name})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()

# velmora_bench(name SOURCES... LIBS...): a Google Benchmark program.
function(velmora_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark_main)
endfunction()

# The library folders pane/, layers/, provider/ and pagestore/ each add their sources
# to one object library; velmora_finish_library() links them into the shared library.
function(velmora_library_part name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} OBJECT ${P_SOURCES})
  target_compile_definitions(${name} PRIVATE VELMORA_BUILDING_LIBRARY)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${P_LIBS} contracts_velmora)
  set_property(GLOBAL APPEND PROPERTY VELMORA_LIBRARY_PARTS ${name})
endfunction()

function(velmora_finish_library)
  get_property(parts GLOBAL PROPERTY VELMORA_LIBRARY_PARTS)
  if(parts)
    add_library(velmora SHARED)
    foreach(part ${parts})
      target_sources(velmora PRIVATE $<TARGET_OBJECTS:${part}>)
      target_link_libraries(velmora PUBLIC ${part})
    endforeach()
  endif()
endfunction()

# velmora_fuzz(name SOURCES... LIBS... SEEDS...): a libFuzzer program, built by the target
# fuzz_targets. Its seed files and folders are listed in fuzz/<name>.seeds for ./velmora fuzz.
function(velmora_fuzz name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;SEEDS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_compile_definitions(${name} PRIVATE VELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  list(JOIN F_SEEDS "\n" seeds)
  file(WRITE ${PROJECT_BINARY_DIR}/fuzz/${name}.seeds "${seeds}\n")
  if(NOT TARGET fuzz_targets)
    add_custom_target(fuzz_targets)
  endif()
  add_dependencies(fuzz_targets ${name})
endfunction()
