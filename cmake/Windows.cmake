# The Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake).
# Scenario files, playback, the desktop backend and the French messages need no
# Qt: pointilla-play.exe, the Trellis control and trellis.exe are built from
# them always; Pointilla.exe when the cross-built Qt is found
# (scripts/build-windows.sh passes its cached prefix).
add_compile_definitions(UNICODE _UNICODE)
# Released programs carry no symbols (Pointilla.exe: 20 MB instead of 38).
string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE " -s")
string(APPEND CMAKE_SHARED_LINKER_FLAGS_RELEASE " -s")
find_package(Qt6 6.2 QUIET COMPONENTS Core Gui Widgets)
add_subdirectory(src/common)
add_subdirectory(src/messages)
add_subdirectory(src/codepage)
add_subdirectory(src/platform)
add_subdirectory(src/language)
add_subdirectory(src/scenario)
add_subdirectory(src/playback)
add_subdirectory(src/scenario_files)
add_subdirectory(src/settings)
include(cmake/WindowsControl.cmake)
if(TARGET Qt6::Widgets)
  add_subdirectory(src/editing)
  add_subdirectory(src/capture)
endif()
add_subdirectory(src/shell)
add_subdirectory(tools/pointilla-play)
if(POINTILLA_BUILD_TESTS)
  add_subdirectory(tests/e2e/windows)
endif()
if(POINTILLA_BUILD_BENCH)
  add_subdirectory(bench/floor/windows)
endif()
# The installer and zip (target windows_package), from whichever programs exist.
include(cmake/WindowsPackage.cmake)
