# The control's interface is written once, in src/trellis/com/dovetail.idl.
# trellis_interface_definition(<generated-dir> [TYPE_LIBRARY <stdole2.tlb dir>])
# makes the target trellis_interface_definition, which turns it into the header
# both builds include (widl: dispatch, interface and class identifiers), the
# member table the object dispatches by, and, given the folder of the standard
# OLE type library, the type library Trellis.dll carries.
find_program(TRELLIS_WIDL NAMES x86_64-w64-mingw32-widl widl REQUIRED
             DOC "widl, the IDL compiler (Debian: mingw-w64-tools)")

function(trellis_interface_definition generated)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TYPE_LIBRARY" "")
  set(idl ${PROJECT_SOURCE_DIR}/src/trellis/com/dovetail.idl)
  set(member_script ${PROJECT_SOURCE_DIR}/src/trellis/com/generate_member_table.cmake)
  set(widl_outputs ${generated}/dovetail_idl.h)
  set(widl_commands COMMAND ${TRELLIS_WIDL} -h -o ${generated}/dovetail_idl.h ${idl})
  if(arg_TYPE_LIBRARY)
    list(APPEND widl_outputs ${generated}/dovetail.tlb)
    list(APPEND widl_commands COMMAND ${TRELLIS_WIDL} -DTRELLIS_TYPE_LIBRARY
         -L ${arg_TYPE_LIBRARY} -t -o ${generated}/dovetail.tlb ${idl})
  endif()
  add_custom_command(
    OUTPUT ${widl_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}
    ${widl_commands}
    DEPENDS ${idl}
    COMMENT "widl: the control's interface header")
  add_custom_command(
    OUTPUT ${generated}/dovetail_members.inc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}
    COMMAND ${CMAKE_COMMAND} -DIDL=${idl} -DOUTPUT=${generated}/dovetail_members.inc
            -P ${member_script}
    DEPENDS ${idl} ${member_script}
    COMMENT "member table of _Trellis")
  add_custom_target(trellis_interface_definition
    DEPENDS ${widl_outputs} ${generated}/dovetail_members.inc)
endfunction()
