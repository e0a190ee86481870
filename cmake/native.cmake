# Native tree: the core's tests, the benchmarks, the fuzz target and nbltool.
find_package(GTest REQUIRED)
find_package(nlohmann_json 3 REQUIRED)
enable_testing()

add_library(nbl_json STATIC tools/nbltool/json_codec.cpp)
target_link_libraries(nbl_json PUBLIC netbell_core nlohmann_json::nlohmann_json)

add_executable(nbltool tools/nbltool/main.cpp)
target_link_libraries(nbltool PRIVATE nbl_json)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS
  tests/model/*.cpp tests/app/*.cpp tests/tools/*.cpp tests/support/*.cpp)
add_executable(netbell_tests ${NATIVE_TEST_SOURCES})
target_include_directories(netbell_tests PRIVATE tests)
target_link_libraries(netbell_tests PRIVATE netbell_core nbl_json GTest::gtest_main)
target_compile_definitions(netbell_tests PRIVATE NBLTOOL_PATH="$<TARGET_FILE:nbltool>")
add_dependencies(netbell_tests nbltool)
include(GoogleTest)
gtest_discover_tests(netbell_tests DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND BENCH_SOURCES)
  add_executable(netbell_bench ${BENCH_SOURCES})
  target_link_libraries(netbell_bench PRIVATE netbell_core benchmark::benchmark)
endif()
