# Windows tree: the program, the Win32 test program, the test stand-ins.
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static")
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)

# The Win32 layer, shared by the program and its Win32 tests.
file(GLOB WIN32_LAYER_SOURCES CONFIGURE_DEPENDS src/*/win32/*.cpp)
list(FILTER WIN32_LAYER_SOURCES EXCLUDE REGEX ".*/(winmain|runtime_imports)\\.cpp$")
# Stand-ins for the runtime's calls that Windows 95 lacks: an object of each
# program, so they take the place of the system's imports (see the file).
add_library(netbell_runtime OBJECT src/base/win32/runtime_imports.cpp)
add_library(netbell_win32 STATIC ${WIN32_LAYER_SOURCES})
target_link_libraries(netbell_win32 PUBLIC netbell_core
  comctl32 shell32 ole32 oleaut32 uuid advapi32 user32 gdi32 comdlg32)
# The 64-bit program is a Unicode program; the 32-bit one stays single-byte
# for Windows 95 and NT 4, which have no wide user interface. The sources are
# the same: they use the generic names.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  target_compile_definitions(netbell_win32 PUBLIC UNICODE _UNICODE)
endif()

add_executable(netbell WIN32 src/app/win32/winmain.cpp src/res/netbell.rc)
target_link_libraries(netbell PRIVATE netbell_runtime netbell_win32)
# The downloads carry no symbols.
target_link_options(netbell PRIVATE -s)

# GoogleTest from the Debian sources, built with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The win32 thread model has no std::mutex, on which GoogleTest builds its
# Notification: ours, on a Win32 event, comes first.
target_compile_options(gtest PUBLIC -include ${CMAKE_SOURCE_DIR}/tests/support/win32/gtest_notification.h)

file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/*/win32/*.cpp)
add_executable(netbell_win32_tests ${WIN32_TEST_SOURCES})
target_include_directories(netbell_win32_tests PRIVATE tests)
target_link_libraries(netbell_win32_tests PRIVATE netbell_runtime netbell_win32 gtest_main shlwapi)
# Some cases read the program's own resources.
add_dependencies(netbell_win32_tests netbell)

# nbltool for Windows users: the JSON library is header-only; expose only its folder.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/jsoninc)
if(NOT EXISTS ${CMAKE_BINARY_DIR}/jsoninc/nlohmann)
  file(CREATE_LINK /usr/include/nlohmann ${CMAKE_BINARY_DIR}/jsoninc/nlohmann SYMBOLIC)
endif()
add_executable(nbltool tools/nbltool/main.cpp tools/nbltool/json_codec.cpp)
target_include_directories(nbltool PRIVATE ${CMAKE_BINARY_DIR}/jsoninc)
target_link_libraries(nbltool PRIVATE netbell_runtime netbell_win32)
target_link_options(nbltool PRIVATE -s)

# End-to-end driver: drives the real netbell.exe from outside under Wine,
# with a probe DLL it loads into the program to read its menus, and a small
# target program for the driver's own cases.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
add_executable(netbell_e2e ${E2E_SOURCES})
target_include_directories(netbell_e2e PRIVATE tests/e2e bench/win32)
target_link_libraries(netbell_e2e PRIVATE gtest user32 gdi32 advapi32 shell32 ole32 uuid comctl32 psapi)
add_library(netbell_e2e_probe SHARED tests/e2e/probe/menu_probe.cpp)
set_target_properties(netbell_e2e_probe PROPERTIES PREFIX "")
target_link_options(netbell_e2e_probe PRIVATE -static -Wl,--kill-at)
target_link_libraries(netbell_e2e_probe PRIVATE user32)
add_executable(netbell_e2e_target WIN32 tests/e2e/target/e2e_target.cpp)
target_link_libraries(netbell_e2e_target PRIVATE comctl32 shell32 gdi32 user32)
add_dependencies(netbell_e2e netbell_e2e_probe netbell_e2e_target)

# Tray benchmark under Wine: start-to-icon time of netbell.exe against a
# program that only adds an icon.
add_executable(tray_minimal WIN32 bench/win32/tray_minimal.cpp)
target_link_libraries(tray_minimal PRIVATE shell32 user32)
# List benchmark under Wine: a program that only shows the rows in a list
# view, started as a process as Netbell is.
add_executable(list_minimal WIN32 bench/win32/list_minimal.cpp)
target_link_options(list_minimal PRIVATE -static)
target_link_libraries(list_minimal PRIVATE comctl32 user32)
add_executable(tray_bench bench/win32/tray_bench.cpp)
target_link_libraries(tray_bench PRIVATE user32 advapi32 shell32 winmm)

# The help page ships beside the program.
configure_file(src/res/help/Netbell.htm ${CMAKE_BINARY_DIR}/Netbell.htm COPYONLY)

# Dial-up networking stand-in for the end-to-end runs (never shipped): loaded
# in place of the system's through WINEDLLOVERRIDES=rasapi32=n.
add_library(rasapi32_standin SHARED tests/standins/rasapi32/rasapi32.cpp)
set_target_properties(rasapi32_standin PROPERTIES PREFIX "" OUTPUT_NAME rasapi32
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/standins)
target_link_options(rasapi32_standin PRIVATE -static -Wl,--kill-at)

# Network stand-in, the same way: IsNetworkAlive from a state file, loaded in
# place of the system's sensapi.dll through a DLL override.
add_library(sensapi_standin SHARED tests/standins/sensapi/sensapi.cpp)
set_target_properties(sensapi_standin PROPERTIES PREFIX "" OUTPUT_NAME sensapi
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/standins)
target_link_options(sensapi_standin PRIVATE -static -Wl,--kill-at)

# The FrontPage stand-in: a local automation server answering FrontPage's
# dispatch ids from a state file, for the tests. Registered only in the
# test Wine prefix (by the tests themselves, or scripts/frontpage-standin.sh).
file(GLOB FRONTPAGE_STANDIN_SOURCES CONFIGURE_DEPENDS tests/standins/frontpage/*.cpp)
add_executable(frontpage_standin WIN32 ${FRONTPAGE_STANDIN_SOURCES})
target_link_libraries(frontpage_standin PRIVATE ole32 oleaut32 uuid shlwapi advapi32 user32)
add_dependencies(netbell_win32_tests frontpage_standin)

# The end-to-end cases copy the stand-ins into their program folders.
add_dependencies(netbell_e2e frontpage_standin rasapi32_standin sensapi_standin)
