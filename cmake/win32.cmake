# Windows tree: the program, the Win32 test program, the test stand-ins.
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static")
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)

# The Win32 layer, shared by the program and its Win32 tests.
file(GLOB WIN32_LAYER_SOURCES CONFIGURE_DEPENDS src/*/win32/*.cpp)
list(FILTER WIN32_LAYER_SOURCES EXCLUDE REGEX ".*/winmain\\.cpp$")
add_library(netbell_win32 STATIC ${WIN32_LAYER_SOURCES})
target_link_libraries(netbell_win32 PUBLIC netbell_core
  comctl32 shell32 ole32 oleaut32 uuid advapi32 user32 gdi32 shlwapi)

add_executable(netbell WIN32 src/app/win32/winmain.cpp src/res/netbell.rc)
target_link_libraries(netbell PRIVATE netbell_win32)

# GoogleTest from the Debian sources, built with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/*/win32/*.cpp)
add_executable(netbell_win32_tests ${WIN32_TEST_SOURCES})
target_include_directories(netbell_win32_tests PRIVATE tests)
target_link_libraries(netbell_win32_tests PRIVATE netbell_win32 gtest_main)

# nbltool for Windows users: the JSON library is header-only; expose only its folder.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/jsoninc)
if(NOT EXISTS ${CMAKE_BINARY_DIR}/jsoninc/nlohmann)
  file(CREATE_LINK /usr/include/nlohmann ${CMAKE_BINARY_DIR}/jsoninc/nlohmann SYMBOLIC)
endif()
add_executable(nbltool tools/nbltool/main.cpp tools/nbltool/json_codec.cpp)
target_include_directories(nbltool PRIVATE ${CMAKE_BINARY_DIR}/jsoninc)
target_link_libraries(nbltool PRIVATE netbell_win32)
