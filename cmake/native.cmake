# Native tree: the core's tests, the benchmarks, the fuzz target and nbltool.

# The fuzz tree (clang) builds only the fuzz targets: the data-file reader
# and nbltool write's JSON reader. The core gets
# coverage and the sanitizers too, or the fuzzer would be blind inside it.
if(NETBELL_FUZZ)
  set(NETBELL_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(netbell_core PRIVATE -fsanitize=fuzzer-no-link ${NETBELL_SANITIZERS})
  add_executable(nbl_reader_fuzz fuzz/reader_fuzz.cpp)
  target_compile_options(nbl_reader_fuzz PRIVATE -fsanitize=fuzzer ${NETBELL_SANITIZERS})
  target_link_options(nbl_reader_fuzz PRIVATE -fsanitize=fuzzer ${NETBELL_SANITIZERS})
  target_link_libraries(nbl_reader_fuzz PRIVATE netbell_core)
  # nbltool write's JSON reader, with the codec built for coverage too.
  find_package(nlohmann_json 3 REQUIRED)
  add_executable(nbl_json_fuzz fuzz/json_fuzz.cpp tools/nbltool/json_codec.cpp)
  target_include_directories(nbl_json_fuzz PRIVATE tools)
  target_compile_options(nbl_json_fuzz PRIVATE -fsanitize=fuzzer ${NETBELL_SANITIZERS})
  target_link_options(nbl_json_fuzz PRIVATE -fsanitize=fuzzer ${NETBELL_SANITIZERS})
  target_link_libraries(nbl_json_fuzz PRIVATE netbell_core nlohmann_json::nlohmann_json)
  return()
endif()

find_package(GTest REQUIRED)
find_package(nlohmann_json 3 REQUIRED)
enable_testing()

add_library(nbl_json STATIC tools/nbltool/json_codec.cpp)
target_include_directories(nbl_json PUBLIC tools)
target_link_libraries(nbl_json PUBLIC netbell_core nlohmann_json::nlohmann_json)

add_executable(nbltool tools/nbltool/main.cpp)
target_link_libraries(nbltool PRIVATE nbl_json)

# Native tests sit directly in tests/<subsystem>/; Win32 ones in win32/ below.
file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS tests/*/*.cpp)
list(FILTER NATIVE_TEST_SOURCES EXCLUDE REGEX ".*/tests/e2e/.*")
add_executable(netbell_tests ${NATIVE_TEST_SOURCES})
target_include_directories(netbell_tests PRIVATE tests)
target_link_libraries(netbell_tests PRIVATE netbell_core nbl_json GTest::gtest_main)
target_compile_definitions(netbell_tests PRIVATE NBLTOOL_PATH="$<TARGET_FILE:nbltool>"
                                               NETBELL_HELP_PAGE="${CMAKE_SOURCE_DIR}/src/res/help/Netbell.htm")
add_dependencies(netbell_tests nbltool)
include(GoogleTest)
gtest_discover_tests(netbell_tests DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND BENCH_SOURCES)
  add_executable(netbell_bench ${BENCH_SOURCES})
  # The library's own main, so that every benchmark file stays a plain list.
  target_link_libraries(netbell_bench PRIVATE netbell_core benchmark::benchmark_main)
endif()

# The random data file on which bench/check_bench.sh times nbltool check.
add_executable(make_random_nbl bench/data_file/make_random_nbl.cpp)
target_link_libraries(make_random_nbl PRIVATE netbell_core)

# The downloads made by make dist (which needs both Windows builds).
add_test(NAME dist_zips COMMAND ${CMAKE_SOURCE_DIR}/tests/dist/check_dist.sh ${CMAKE_SOURCE_DIR}/dist
                                  ${CMAKE_SOURCE_DIR}/build)
set_tests_properties(dist_zips PROPERTIES LABELS dist)

# Every import of the downloaded programs is on the list of what their
# oldest Windows exports.
add_test(NAME dist_imports COMMAND ${CMAKE_SOURCE_DIR}/tests/dist/check_imports.sh ${CMAKE_SOURCE_DIR}/build)
set_tests_properties(dist_imports PROPERTIES LABELS dist)

# Includes between the program's folders run down its floors only.
add_test(NAME include_floors COMMAND ${CMAKE_SOURCE_DIR}/tests/check_floors.sh ${CMAKE_SOURCE_DIR}/src)
add_test(NAME access_keys COMMAND ${CMAKE_SOURCE_DIR}/tests/check_access_keys.sh ${CMAKE_SOURCE_DIR}/src/res)
