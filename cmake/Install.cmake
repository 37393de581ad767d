# Installing Pointilla like any desktop program: beside the program, its
# library and help page (installed by their own folders), the application
# menu entry and the icon in the hicolor theme.
#
#   bin/pointilla, bin/pointilla-play, bin/trellis
#   lib/pointilla/libtrellis.so
#   share/pointilla/aide pointilla.html
#   share/applications/pointilla.desktop
#   share/icons/hicolor/<size>/apps/pointilla.png (and scalable/apps/pointilla.svg)
#   share/mime/packages/pointilla.xml (the .sce files' type, for file managers)

foreach(size 16 24 32 48 64 128 256)
  install(FILES "${PROJECT_SOURCE_DIR}/share/icons/hicolor/${size}x${size}/apps/pointilla.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/share/icons/hicolor/scalable/apps/pointilla.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

install(FILES "${PROJECT_SOURCE_DIR}/share/mime/packages/pointilla.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")

# The menu entry names the program by its full path, so that it starts from
# any prefix; the prefix is the one given at install time (cmake --install
# --prefix), not only the configured one. Under /usr and /usr/local the icon
# comes from the theme by name; elsewhere by its file, since no icon theme
# search path covers an arbitrary prefix.
set(POINTILLA_DESKTOP_TEMPLATE "${PROJECT_SOURCE_DIR}/share/applications/pointilla.desktop.in")
set(_pointilla_install_desktop [[
  set(_prefix "${CMAKE_INSTALL_PREFIX}")
  set(POINTILLA_DESKTOP_TRYEXEC "${_prefix}/@CMAKE_INSTALL_BINDIR@/pointilla")
  set(POINTILLA_DESKTOP_EXEC "${POINTILLA_DESKTOP_TRYEXEC}")
  if(POINTILLA_DESKTOP_EXEC MATCHES " ")
    set(POINTILLA_DESKTOP_EXEC "\"${POINTILLA_DESKTOP_EXEC}\"")
  endif()
  if(_prefix STREQUAL "/usr" OR _prefix STREQUAL "/usr/local")
    set(POINTILLA_DESKTOP_ICON "pointilla")
  else()
    set(POINTILLA_DESKTOP_ICON
        "${_prefix}/@CMAKE_INSTALL_DATADIR@/icons/hicolor/256x256/apps/pointilla.png")
  endif()
  set(_target "$ENV{DESTDIR}${_prefix}/@CMAKE_INSTALL_DATADIR@/applications/pointilla.desktop")
  message(STATUS "Installing: ${_target}")
  configure_file("@POINTILLA_DESKTOP_TEMPLATE@" "${_target}" @ONLY)
]])
string(CONFIGURE "${_pointilla_install_desktop}" _pointilla_install_desktop @ONLY)
install(CODE "${_pointilla_install_desktop}")
