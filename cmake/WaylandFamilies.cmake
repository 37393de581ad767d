# The native Wayland desktops, each an optional family: a folder under
# src/platform/wayland and a row in src/platform/native/wayland_families.cpp.
# POINTILLA_WAYLAND=OFF leaves them all out (X11, and XWayland on a Wayland
# session, only): nothing Wayland is then searched for or linked.
include(CMakeDependentOption)
option(POINTILLA_WAYLAND "Build the native Wayland desktops (OFF: X11 only)" ON)

# pointilla_wayland_family(NAME DESCRIPTION): the option POINTILLA_WAYLAND_<NAME>,
# on by default when POINTILLA_WAYLAND is; POINTILLA_WAYLAND_FAMILIES lists the
# families that are on.
set(POINTILLA_WAYLAND_FAMILIES "")
macro(pointilla_wayland_family name description)
  string(TOUPPER "${name}" _family_upper)
  cmake_dependent_option(POINTILLA_WAYLAND_${_family_upper} "${description}" ON
                         POINTILLA_WAYLAND OFF)
  if(POINTILLA_WAYLAND_${_family_upper})
    list(APPEND POINTILLA_WAYLAND_FAMILIES ${name})
  endif()
endmacro()

# One line per family.
pointilla_wayland_family(wlroots "Native wlroots desktops (sway): virtual pointer, sway IPC")
pointilla_wayland_family(kwin "Native KDE Plasma (KWin): fake input, KWin scripts")
pointilla_wayland_family(gnome "Native GNOME (mutter): remote desktop portal, PipeWire")

# pointilla_require_modules(WHAT PREFIX MODULE...): pkg_check_modules with an
# imported target PkgConfig::PREFIX, stopping with what to install or to turn
# off when a module is missing.
function(pointilla_require_modules what prefix)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(${prefix} QUIET IMPORTED_TARGET GLOBAL ${ARGN})
  endif()
  if(NOT ${prefix}_FOUND)
    string(REPLACE ";" ", " modules "${ARGN}")
    message(FATAL_ERROR "${what} needs the development files of ${modules} (pkg-config). "
                        "Install them, or configure with -DPOINTILLA_WAYLAND=OFF to build "
                        "without native Wayland desktops (or turn the one family off).")
  endif()
endfunction()
