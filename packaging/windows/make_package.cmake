# Builds the Windows installer and zip from a cross build (run by the target
# windows_package, see cmake/WindowsPackage.cmake):
#   1. stages, in PACKAGE_DIR/stage/Pointilla, one folder as the build's bin/:
#      the PROGRAMS ("|" between them) and the CONTROL, stripped, the help pages
#      (HELP_PAGE, French, and HELP_PAGE_ENGLISH), the icon and LISEZMOI.txt;
#   2. zips the stage;
#   3. writes the list of staged files for pointilla.nsi, so the uninstaller
#      removes exactly what the installer put down, and runs makensis.
foreach(var PACKAGE_DIR SOURCES VERSION PROGRAMS CONTROL HELP_PAGE HELP_PAGE_ENGLISH)
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

# Copies a built file into the stage without its symbols.
function(stage_binary file strip_option)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file} was not built")
  endif()
  get_filename_component(name "${file}" NAME)
  file(COPY_FILE "${file}" "${stage}/${name}")
  if(STRIP)
    execute_process(COMMAND "${STRIP}" ${strip_option} "${stage}/${name}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${STRIP} failed on ${name}")
    endif()
  endif()
endfunction()

string(REPLACE "|" ";" programs "${PROGRAMS}")
set(program "")
foreach(file IN LISTS programs)
  stage_binary("${file}" --strip-all)
  get_filename_component(name "${file}" NAME)
  string(TOLOWER "${name}" lower_name)
  if(lower_name STREQUAL "pointilla.exe")
    set(program "${name}")
  endif()
endforeach()
stage_binary("${CONTROL}" --strip-unneeded)
get_filename_component(control "${CONTROL}" NAME)
get_filename_component(help "${HELP_PAGE}" NAME)
get_filename_component(help_english "${HELP_PAGE_ENGLISH}" NAME)
file(COPY_FILE "${HELP_PAGE}" "${stage}/${help}")
file(COPY_FILE "${HELP_PAGE_ENGLISH}" "${stage}/${help_english}")
file(COPY_FILE "${SOURCES}/pointilla.ico" "${stage}/pointilla.ico")
# Notepad and every Windows editor read UTF-8 with its mark, lines ending in CR LF.
file(READ "${SOURCES}/LISEZMOI.txt" readme)
string(REPLACE "\n" "\r\n" readme "${readme}")
string(ASCII 239 187 191 utf8_mark)
file(WRITE "${stage}/LISEZMOI.txt" "${utf8_mark}${readme}")

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

file(GLOB files RELATIVE "${stage}" "${stage}/*")
list(SORT files)
set(install_lines "")
set(remove_lines "")
set(size 0)
foreach(file IN LISTS files)
  nsis_text("${stage}/${file}" source)
  nsis_text("${file}" target)
  string(APPEND install_lines "  File \"${source}\"\n")
  string(APPEND remove_lines "  Delete \"$INSTDIR\\${target}\"\n")
  file(SIZE "${stage}/${file}" bytes)
  math(EXPR size "${size} + ${bytes}")
endforeach()

math(EXPR size_kb "(${size} + 1023) / 1024")
nsis_text("${installer}" out_file)
nsis_text("${stage}/pointilla.ico" icon_source)
nsis_text("${control}" control)
nsis_text("${help}" help)
nsis_text("${help_english}" help_english)
set(definitions "!define VERSION \"${VERSION}\"
!define OUT_FILE \"${out_file}\"
!define ICON_SOURCE \"${icon_source}\"
!define CONTROL \"${control}\"
!define HELP_PAGE \"${help}\"
!define HELP_PAGE_ENGLISH \"${help_english}\"
!define SIZE_KB ${size_kb}
")
if(program)
  string(APPEND definitions "!define PROGRAM \"${program}\"\n")
endif()
string(APPEND definitions "!macro InstallFiles\n  SetOutPath \"$INSTDIR\"\n${install_lines}!macroend\n")
string(APPEND definitions "!macro RemoveFiles\n${remove_lines}!macroend\n")
file(WRITE "${PACKAGE_DIR}/package.nsh" "${definitions}")

if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis is missing (apt-get install -y --no-install-recommends nsis); "
                      "the zip is in ${zip}")
endif()
# makensis reads its arguments and file names in the locale's encoding, and in
# the C locale refuses a path with an accent: a build may sit under any folder.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8
                        "${MAKENSIS}" -V2 -INPUTCHARSET UTF8
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
