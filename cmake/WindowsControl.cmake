# The Trellis control on Windows: Trellis.dll (the in-process server, on the
# real registry, with its type library as resource TYPELIB 1), the host side
# programs create it with (through COM), and trellis.exe.
include(${PROJECT_SOURCE_DIR}/src/trellis/sources.cmake)
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

add_library(trellis_com STATIC ${trellis_com_sources})
add_dependencies(trellis_com trellis_interface_definition)
target_include_directories(trellis_com PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_include_directories(trellis_com SYSTEM PUBLIC ${trellis_generated})
target_link_libraries(trellis_com PUBLIC pointilla_registry ole32 oleaut32 uuid
                                  PRIVATE pointilla_codepage)
trellis_windows_warnings(trellis_com)

add_library(trellis_control SHARED ${trellis_control_sources} ${trellis_server_sources})
set_target_properties(trellis_control PROPERTIES PREFIX "" OUTPUT_NAME Trellis)
set_source_files_properties(${trellis_system_dir}/trellis.rc PROPERTIES
  OBJECT_DEPENDS ${trellis_generated}/dovetail.tlb)
target_include_directories(trellis_control PRIVATE ${trellis_generated})
target_link_libraries(trellis_control PRIVATE trellis_com pointilla_codepage pointilla_language
                                              user32)
target_link_options(trellis_control PRIVATE -Wl,--no-undefined)
trellis_windows_warnings(trellis_control)

# What a program uses to create the control and call it late.
add_library(trellis_host STATIC ${trellis_host_sources})
target_link_libraries(trellis_host PUBLIC trellis_com)
trellis_windows_warnings(trellis_host)

add_subdirectory(tools/trellis)
