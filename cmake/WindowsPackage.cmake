# The Windows installer and zip, built by the target windows_package into
# <build>/dist:
#   pointilla-VERSION-setup.exe    per-user installer (NSIS, makensis)
#   pointilla-VERSION-windows.zip  the same files, for people who don't install
# Both hold, in one folder as in the build's bin/, the programs this build
# makes, the Trellis control, the help pages in French and English (the programs
# look for them beside themselves), the icon and LISEZMOI.txt. Included from cmake/Windows.cmake.
set(POINTILLA_PACKAGE_DIR "${CMAKE_BINARY_DIR}/dist")
set(_package_sources "${PROJECT_SOURCE_DIR}/packaging/windows")

find_program(POINTILLA_MAKENSIS makensis DOC "makensis, the NSIS compiler (Debian: nsis)")

# The programs to package are whichever of them this build has; the control is
# always built with them (cmake/WindowsControl.cmake).
set(_package_programs "")
foreach(target pointilla pointilla-play trellis trellis_cli)
  if(TARGET ${target})
    list(APPEND _package_programs ${target})
  endif()
endforeach()
set(_control_file "$<TARGET_FILE:trellis_control>")

# The programs' files, "|" between them (a list would split the command).
set(_program_files "")
foreach(target IN LISTS _package_programs)
  list(APPEND _program_files "$<TARGET_FILE:${target}>")
endforeach()
string(JOIN "|" _program_list ${_program_files})

# Remade only when a packaged file or the packaging changes.
set(_help_page "${PROJECT_SOURCE_DIR}/share/aide pointilla.html")
set(_help_page_english "${PROJECT_SOURCE_DIR}/share/pointilla help.html")
set(_package_outputs
    "${POINTILLA_PACKAGE_DIR}/pointilla-${PROJECT_VERSION}-setup.exe"
    "${POINTILLA_PACKAGE_DIR}/pointilla-${PROJECT_VERSION}-windows.zip")
add_custom_command(
  OUTPUT ${_package_outputs}
  COMMAND "${CMAKE_COMMAND}"
          -DPACKAGE_DIR=${POINTILLA_PACKAGE_DIR}
          -DSOURCES=${_package_sources}
          -DVERSION=${PROJECT_VERSION}
          "-DPROGRAMS=${_program_list}"
          -DCONTROL=${_control_file}
          "-DHELP_PAGE=${_help_page}"
          "-DHELP_PAGE_ENGLISH=${_help_page_english}"
          -DSTRIP=${CMAKE_STRIP}
          -DMAKENSIS=${POINTILLA_MAKENSIS}
          -P "${_package_sources}/make_package.cmake"
  DEPENDS ${_package_programs} ${_program_files} trellis_control
          "${_help_page}" "${_help_page_english}" "${_package_sources}/make_package.cmake"
          "${_package_sources}/pointilla.nsi" "${_package_sources}/pointilla.ico"
          "${_package_sources}/LISEZMOI.txt"
  COMMENT "Windows installer and zip in ${POINTILLA_PACKAGE_DIR}"
  VERBATIM)
add_custom_target(windows_package DEPENDS ${_package_outputs})
