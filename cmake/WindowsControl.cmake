# The Trellis control on Windows: Trellis.dll (the in-process server, on the
# real registry, with its type library as resource TYPELIB 1), the host side
# programs create it with (through COM), and trellis.exe.
set(trellis_dir ${PROJECT_SOURCE_DIR}/src/trellis)
set(trellis_generated ${CMAKE_BINARY_DIR}/trellis-generated)

# The type library takes IDispatch from the standard OLE type library, which Wine provides.
find_path(TRELLIS_STDOLE_DIR stdole2.tlb NO_CMAKE_FIND_ROOT_PATH REQUIRED
          PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows
                /usr/lib64/wine/x86_64-windows /opt/wine-stable/lib/wine/x86_64-windows
          DOC "folder of stdole2.tlb (Debian: wine64)")
include(${PROJECT_SOURCE_DIR}/cmake/TrellisInterface.cmake)
trellis_interface_definition(${trellis_generated} TYPE_LIBRARY ${TRELLIS_STDOLE_DIR})

# The COM classes have public non-virtual destructors by design (objects go
# through Release), so that warning is off for what implements or calls them.
function(trellis_windows_warnings target)
  pointilla_warnings(${target})
  target_compile_options(${target} PRIVATE -Wno-non-virtual-dtor)
endfunction()

# On Windows the registry functions are advapi32's own.
add_library(pointilla_registry INTERFACE)
target_include_directories(pointilla_registry INTERFACE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(pointilla_registry INTERFACE advapi32)

add_library(trellis_com STATIC
  ${trellis_dir}/com/guid_text.cpp ${trellis_dir}/com/member_table.cpp
  ${trellis_dir}/com/text_conversion.cpp ${trellis_dir}/com/trellis_guids.cpp)
add_dependencies(trellis_com trellis_interface_definition)
target_include_directories(trellis_com PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_include_directories(trellis_com SYSTEM PUBLIC ${trellis_generated})
target_link_libraries(trellis_com PUBLIC pointilla_registry ole32 oleaut32 uuid
                                  PRIVATE pointilla_codepage)
trellis_windows_warnings(trellis_com)

add_library(trellis_control SHARED
  ${trellis_dir}/file_io.cpp ${PROJECT_SOURCE_DIR}/src/platform/windows/trellis/file_system.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/trellis/library_path.cpp
  ${trellis_dir}/notifier.cpp ${PROJECT_SOURCE_DIR}/src/platform/windows/trellis/notifier.cpp
  ${trellis_dir}/reg_backup.cpp ${trellis_dir}/registry_access.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/trellis/registry_calls.cpp
  ${trellis_dir}/server_exports.cpp ${trellis_dir}/server_registration.cpp
  ${trellis_dir}/trellis_control.cpp ${trellis_dir}/trellis_object.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/windows/trellis/type_library.cpp
  ${trellis_dir}/trellis.def ${trellis_dir}/trellis.rc)
set_target_properties(trellis_control PROPERTIES PREFIX "" OUTPUT_NAME Trellis)
set_source_files_properties(${trellis_dir}/trellis.rc PROPERTIES
  OBJECT_DEPENDS ${trellis_generated}/dovetail.tlb)
target_include_directories(trellis_control PRIVATE ${trellis_generated})
target_link_libraries(trellis_control PRIVATE trellis_com pointilla_codepage user32)
target_link_options(trellis_control PRIVATE -Wl,--no-undefined)
trellis_windows_warnings(trellis_control)

# What a program uses to create the control and call it late.
add_library(trellis_host STATIC
  ${trellis_dir}/host/automation_object.cpp ${PROJECT_SOURCE_DIR}/src/platform/windows/trellis/automation_host.cpp)
target_link_libraries(trellis_host PUBLIC trellis_com)
trellis_windows_warnings(trellis_host)

add_subdirectory(tools/trellis)
