# The Trellis control's sources, described once for both systems: the Linux
# build (src/trellis/CMakeLists.txt) and the Windows build
# (cmake/WindowsControl.cmake) make their targets from these lists. What
# differs by system lives in platform/<system>/trellis, where a twin has the
# same name on each side. Every path is absolute. The folders: store/ (the
# registry primitives), control/ (the COM object and its server), reg_files/
# (the .REG export and import), files/ (file access), com/ and host/.
#   trellis_com_sources      COM and automation helpers both sides of the interface share
#   trellis_control_sources  the registry primitives, the control and its export
#   trellis_import_sources   the .REG reader and importer (the command line's, not the server's)
#   trellis_server_sources   the in-process server's entry points
#   trellis_host_sources     what a host uses to create the control and call it late
set(trellis_source_dir ${PROJECT_SOURCE_DIR}/src/trellis)
if(WIN32)
  set(trellis_system_dir ${PROJECT_SOURCE_DIR}/src/platform/windows/trellis)
else()
  set(trellis_system_dir ${PROJECT_SOURCE_DIR}/src/platform/posix/trellis)
endif()

set(trellis_com_sources
  com/com_ptr.h com/com_object.h com/himetric.h
  com/dovetail.idl com/dovetail.h com/member_table.h com/member_table.cpp
  com/guid_text.cpp com/trellis_guids.cpp com/trellis_guids.h
  com/text_conversion.cpp com/oleaut.h)
set(trellis_control_sources
  files/file_io.cpp files/file_io.h files/file_system.h
  control/notifier.cpp control/notifier.h control/error_info.h
  reg_files/os_version.h
  reg_files/reg_backup.cpp reg_files/reg_backup.h
  store/registry_access.cpp store/registry_access.h store/registry_calls.h
  store/registry_key.h store/registry_view.h store/text_trim.h
  control/server_registration.cpp control/server_registration.h
  control/trellis_control.cpp control/trellis_control.h
  control/trellis_object.cpp control/trellis_object.h control/type_library.h)
set(trellis_import_sources
  reg_files/loaded_programs.cpp reg_files/loaded_programs.h reg_files/reg_file_error.h
  reg_files/reg_file_parse.cpp reg_files/reg_file_parse.h
  reg_files/reg_file_text.cpp reg_files/reg_file_text.h
  reg_files/reg_import.cpp reg_files/reg_import.h)
set(trellis_server_sources control/server_exports.cpp control/library_path.h)
set(trellis_host_sources
  host/automation_host.h host/trellis_dispids.h
  host/automation_object.cpp host/automation_object_impl.h)
foreach(list IN ITEMS com control import server host)
  list(TRANSFORM trellis_${list}_sources PREPEND ${trellis_source_dir}/)
endforeach()
# The COM and OLE types and functions: the Windows headers' own, or their
# stand-ins on this system.
set(trellis_platform_dir ${PROJECT_SOURCE_DIR}/src/platform)
list(APPEND trellis_com_sources
  ${trellis_platform_dir}/com/com_types.h ${trellis_platform_dir}/com/com_interfaces.h
  ${trellis_platform_dir}/com/oleaut_functions.h ${trellis_platform_dir}/com/define_guids.h
  ${trellis_platform_dir}/com/generated_header_begin.h
  ${trellis_platform_dir}/com/generated_header_end.h)

# Each system's side of what differs.
list(APPEND trellis_control_sources
  ${trellis_system_dir}/error_info.cpp ${trellis_system_dir}/file_system.cpp
  ${trellis_system_dir}/notifier.cpp
  ${trellis_system_dir}/registry_calls.cpp ${trellis_system_dir}/registry_view.cpp
  ${trellis_system_dir}/type_library.cpp)
list(APPEND trellis_server_sources ${trellis_system_dir}/library_path.cpp)
list(APPEND trellis_host_sources ${trellis_system_dir}/automation_host.cpp)
if(WIN32)
  # The exports by name and the type library as resource TYPELIB 1.
  list(APPEND trellis_server_sources
    ${trellis_system_dir}/trellis.def ${trellis_system_dir}/trellis.rc)
else()
  # What oleaut32, uuid and kernel32 give on Windows.
  list(APPEND trellis_com_sources
    ${trellis_platform_dir}/posix/com/standard_iids.cpp
    ${trellis_platform_dir}/posix/com/oleaut_mirror.cpp
    ${trellis_platform_dir}/posix/com/variant_change_type.cpp)
  list(APPEND trellis_control_sources
    ${trellis_system_dir}/os_version.cpp ${trellis_system_dir}/version_source.h)
  list(APPEND trellis_server_sources ${trellis_system_dir}/store_failure_export.cpp)
endif()
