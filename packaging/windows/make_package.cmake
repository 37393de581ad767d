# Builds the Windows installer and zip from a cross build (run by the target
# windows_package, see cmake/WindowsPackage.cmake):
#   1. stages what `cmake --install` installs, stripped, in PACKAGE_DIR/stage/Pointilla;
#   2. adds the control, the help page, the icon and LISEZMOI.txt where no
#      install rule put them (the control beside the programs, the help page
#      where the programs look for it);
#   3. zips the stage, and writes the list of its files for pointilla.nsi, so
#      the uninstaller removes exactly what the installer put down;
#   4. runs makensis.
foreach(var BUILD_DIR PACKAGE_DIR SOURCES VERSION CONTROL HELP_PAGE DATADIR BINDIR)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "make_package.cmake: ${var} is not set")
  endif()
endforeach()

set(stage_root "${PACKAGE_DIR}/stage")
set(stage "${stage_root}/Pointilla")
set(installer "${PACKAGE_DIR}/pointilla-${VERSION}-setup.exe")
set(zip "${PACKAGE_DIR}/pointilla-${VERSION}-windows.zip")
file(REMOVE_RECURSE "${stage_root}")
file(REMOVE "${installer}" "${zip}")
file(MAKE_DIRECTORY "${stage}")

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${stage}" --strip
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install of ${BUILD_DIR} failed")
endif()

# The first staged file whose name is `name`, in any case (Windows names are
# case-insensitive), relative to the stage; "" when there is none.
function(staged_file name out)
  file(GLOB_RECURSE files RELATIVE "${stage}" "${stage}/*")
  string(TOLOWER "${name}" wanted)
  foreach(file IN LISTS files)
    get_filename_component(base "${file}" NAME)
    string(TOLOWER "${base}" base)
    if(base STREQUAL wanted)
      set(${out} "${file}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

staged_file("Trellis.dll" control)
if(NOT control)
  if(NOT EXISTS "${CONTROL}")
    message(FATAL_ERROR "The Trellis control ${CONTROL} was not built")
  endif()
  set(control "${BINDIR}/Trellis.dll")
  file(COPY_FILE "${CONTROL}" "${stage}/${control}")
  if(STRIP)
    execute_process(COMMAND "${STRIP}" --strip-unneeded "${stage}/${control}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${STRIP} failed on ${control}")
    endif()
  endif()
endif()

get_filename_component(help_name "${HELP_PAGE}" NAME)
staged_file("${help_name}" help)
if(NOT help)
  set(help "${DATADIR}/${help_name}")
  file(MAKE_DIRECTORY "${stage}/${DATADIR}")
  file(COPY_FILE "${HELP_PAGE}" "${stage}/${help}")
endif()

file(COPY_FILE "${SOURCES}/pointilla.ico" "${stage}/pointilla.ico")
# Notepad and every Windows editor read UTF-8 with its mark, lines ending in CR LF.
file(READ "${SOURCES}/LISEZMOI.txt" readme)
string(REPLACE "\n" "\r\n" readme "${readme}")
string(ASCII 239 187 191 utf8_mark)
file(WRITE "${stage}/LISEZMOI.txt" "${utf8_mark}${readme}")

staged_file("Pointilla.exe" program)

execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${zip}" --format=zip Pointilla
                WORKING_DIRECTORY "${stage_root}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the zip ${zip} could not be written")
endif()

# What pointilla.nsi includes: the names, and the files to put down and remove.
function(nsis_text text out)
  string(REPLACE "$" "$$" text "${text}")
  string(REPLACE "\"" "$\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
function(windows_path relative out)
  string(REPLACE "/" "\\" relative "${relative}")
  nsis_text("${relative}" relative)
  set(${out} "${relative}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE "${stage}" "${stage}/*")
list(SORT files)
set(install_lines "")
set(remove_lines "")
set(folders "")
set(out_path "-")
set(size 0)
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  if(NOT folder STREQUAL out_path)
    set(out_path "${folder}")
    windows_path("${folder}" win_folder)
    if(folder STREQUAL "")
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install_lines "  SetOutPath \"$INSTDIR\\${win_folder}\"\n")
    endif()
  endif()
  # Every folder of the tree, parents included, for the removal.
  while(NOT folder STREQUAL "")
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
  nsis_text("${stage}/${file}" source)
  windows_path("${file}" target)
  string(APPEND install_lines "  File \"${source}\"\n")
  string(APPEND remove_lines "  Delete \"$INSTDIR\\${target}\"\n")
  file(SIZE "${stage}/${file}" bytes)
  math(EXPR size "${size} + ${bytes}")
endforeach()
# Deepest folders first; RMDir without /r keeps a folder someone added files to.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  windows_path("${folder}" win_folder)
  string(APPEND remove_lines "  RMDir \"$INSTDIR\\${win_folder}\"\n")
endforeach()

math(EXPR size_kb "(${size} + 1023) / 1024")
nsis_text("${installer}" out_file)
nsis_text("${stage}/pointilla.ico" icon_source)
windows_path("${control}" control_path)
windows_path("${help}" help_path)
set(definitions "!define VERSION \"${VERSION}\"
!define OUT_FILE \"${out_file}\"
!define ICON_SOURCE \"${icon_source}\"
!define CONTROL \"${control_path}\"
!define HELP_PAGE \"${help_path}\"
!define SIZE_KB ${size_kb}
")
if(program)
  windows_path("${program}" program_path)
  string(APPEND definitions "!define PROGRAM \"${program_path}\"\n")
endif()
string(APPEND definitions "!macro InstallFiles\n${install_lines}!macroend\n")
string(APPEND definitions "!macro RemoveFiles\n${remove_lines}!macroend\n")
file(WRITE "${PACKAGE_DIR}/package.nsh" "${definitions}")

if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis is missing (apt-get install -y --no-install-recommends nsis); "
                      "the zip is in ${zip}")
endif()
execute_process(COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8
                        "-DPACKAGE_DEFINITIONS=${PACKAGE_DIR}/package.nsh"
                        "${SOURCES}/pointilla.nsi"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${installer}")
  message(FATAL_ERROR "makensis failed")
endif()
file(SIZE "${installer}" installer_bytes)
file(SIZE "${zip}" zip_bytes)
message(STATUS "${installer}: ${installer_bytes} bytes")
message(STATUS "${zip}: ${zip_bytes} bytes")
