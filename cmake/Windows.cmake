# The Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake): what of
# the program runs on Windows so far. Scenario files, playback, the desktop
# backend and the French messages need no Qt; pointilla-play.exe is built from them.
add_compile_definitions(UNICODE _UNICODE)
add_subdirectory(src/common)
add_subdirectory(src/codepage)
add_subdirectory(src/platform)
add_subdirectory(src/scenario)
add_subdirectory(src/playback)
add_subdirectory(src/messages)
add_subdirectory(src/shell)
add_subdirectory(tools/pointilla-play)
if(POINTILLA_BUILD_TESTS)
  add_subdirectory(tests/e2e/windows)
endif()
# The installer and zip (target windows_package), from whichever programs exist.
include(cmake/WindowsPackage.cmake)
