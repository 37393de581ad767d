# The Windows installer and zip, built by the target windows_package into
# <build>/dist:
#   pointilla-VERSION-setup.exe    per-user installer (NSIS, makensis)
#   pointilla-VERSION-windows.zip  the same files, for people who don't install
# Both hold, in one folder as in the build's bin/, the programs this build
# makes, the Trellis control, the help page (the programs look for both beside
# themselves), the icon and LISEZMOI.txt. Included from cmake/Windows.cmake.
set(POINTILLA_PACKAGE_DIR "${CMAKE_BINARY_DIR}/dist")
set(_package_sources "${PROJECT_SOURCE_DIR}/packaging/windows")

find_program(POINTILLA_MAKENSIS makensis DOC "makensis, the NSIS compiler (Debian: nsis)")

# The programs to package are whichever of them this build has.
set(_package_programs "")
set(_package_control "")
foreach(target pointilla pointilla-play trellis trellis_cli trellis_control)
  if(NOT TARGET ${target})
    continue()
  endif()
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "EXECUTABLE")
    list(APPEND _package_programs ${target})
  elseif(_type STREQUAL "SHARED_LIBRARY" OR _type STREQUAL "MODULE_LIBRARY")
    set(_package_control ${target})
  endif()
endforeach()

# The control: the build's own DLL target when it has one, otherwise the DLL
# that scripts/check-windows-build.sh cross-compiles from the same sources.
if(_package_control)
  set(_control_file "$<TARGET_FILE:${_package_control}>")
  set(_control_depends ${_package_control})
else()
  set(_control_dir "${CMAKE_BINARY_DIR}/trellis-dll")
  set(_control_file "${_control_dir}/Trellis.dll")
  file(GLOB_RECURSE _control_sources CONFIGURE_DEPENDS
       "${PROJECT_SOURCE_DIR}/src/trellis/*" "${PROJECT_SOURCE_DIR}/src/codepage/*")
  add_custom_command(
    OUTPUT "${_control_file}"
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/check-windows-build.sh" "${_control_dir}"
    DEPENDS ${_control_sources} "${PROJECT_SOURCE_DIR}/scripts/check-windows-build.sh"
    COMMENT "Trellis.dll"
    VERBATIM)
  set(_control_depends "${_control_file}")
endif()

# The programs' files, "|" between them (a list would split the command).
set(_program_files "")
foreach(target IN LISTS _package_programs)
  list(APPEND _program_files "$<TARGET_FILE:${target}>")
endforeach()
string(JOIN "|" _program_list ${_program_files})

# Remade only when a packaged file or the packaging changes.
set(_help_page "${PROJECT_SOURCE_DIR}/share/aide pointilla.html")
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
          -DSTRIP=${CMAKE_STRIP}
          -DMAKENSIS=${POINTILLA_MAKENSIS}
          -P "${_package_sources}/make_package.cmake"
  DEPENDS ${_package_programs} ${_program_files} ${_control_depends} "${_control_file}"
          "${_help_page}" "${_package_sources}/make_package.cmake"
          "${_package_sources}/pointilla.nsi" "${_package_sources}/pointilla.ico"
          "${_package_sources}/LISEZMOI.txt"
  COMMENT "Windows installer and zip in ${POINTILLA_PACKAGE_DIR}"
  VERBATIM)
add_custom_target(windows_package DEPENDS ${_package_outputs})
