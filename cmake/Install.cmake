# Installing Pointilla like any desktop program: beside the program, its
# library and help page (installed by their own folders), the application
# menu entry and the icon in the hicolor theme.
#
#   bin/pointilla, bin/pointilla-play, bin/trellis
#   lib/pointilla/libtrellis.so
#   share/pointilla/aide pointilla.html, pointilla help.html (French, English)
#   share/applications/pointilla.desktop, pointilla-play.desktop (hidden)
#   share/icons/hicolor/<size>/apps/pointilla.png (and scalable/apps/pointilla.svg)
#   share/mime/packages/pointilla.xml (the .sce files' type, for file managers)
#   share/metainfo/org.example.dovetail.Pointilla.metainfo.xml (for software centres)
#   share/man/man1 and share/man/fr/man1: the manual pages, English and French
#   share/bash-completion/completions/pointilla-play, trellis

foreach(size 16 24 32 48 64 128 256)
  install(FILES "${PROJECT_SOURCE_DIR}/share/icons/hicolor/${size}x${size}/apps/pointilla.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/share/icons/hicolor/scalable/apps/pointilla.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

install(FILES "${PROJECT_SOURCE_DIR}/share/mime/packages/pointilla.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES "${PROJECT_SOURCE_DIR}/share/metainfo/org.example.dovetail.Pointilla.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(page pointilla pointilla-play trellis)
  install(FILES "${PROJECT_SOURCE_DIR}/man/${page}.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
  install(FILES "${PROJECT_SOURCE_DIR}/man/fr/${page}.1"
          DESTINATION "${CMAKE_INSTALL_MANDIR}/fr/man1")
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/share/bash-completion/completions/pointilla-play"
              "${PROJECT_SOURCE_DIR}/share/bash-completion/completions/trellis"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")

# The menu entries name the programs by their full paths, so that they start
# from any prefix; the prefix is the one given at install time (cmake --install
# --prefix), not only the configured one. Under /usr and /usr/local the icon
# comes from the theme by name; elsewhere by its file, since no icon theme
# search path covers an arbitrary prefix.
#
# The full path also matters to KWin: it offers its fake-input protocol only to
# a client whose executable (/proc/PID/exe) is, after resolving links, the first
# word of the Exec line of an installed application entry whose
# X-KDE-Wayland-Interfaces lists org_kde_kwin_fake_input. pointilla-play has a
# hidden entry of its own for that.
set(_pointilla_install_desktop [[
  set(_prefix "${CMAKE_INSTALL_PREFIX}")
  if(_prefix STREQUAL "/usr" OR _prefix STREQUAL "/usr/local")
    set(POINTILLA_DESKTOP_ICON "pointilla")
  else()
    set(POINTILLA_DESKTOP_ICON
        "${_prefix}/@CMAKE_INSTALL_DATADIR@/icons/hicolor/256x256/apps/pointilla.png")
  endif()
  foreach(_program pointilla pointilla-play)
    set(POINTILLA_DESKTOP_TRYEXEC "${_prefix}/@CMAKE_INSTALL_BINDIR@/${_program}")
    set(POINTILLA_DESKTOP_EXEC "${POINTILLA_DESKTOP_TRYEXEC}")
    if(POINTILLA_DESKTOP_EXEC MATCHES " ")
      set(POINTILLA_DESKTOP_EXEC "\"${POINTILLA_DESKTOP_EXEC}\"")
    endif()
    set(_target "$ENV{DESTDIR}${_prefix}/@CMAKE_INSTALL_DATADIR@/applications/${_program}.desktop")
    message(STATUS "Installing: ${_target}")
    configure_file("@POINTILLA_DESKTOP_TEMPLATES@/${_program}.desktop.in" "${_target}" @ONLY)
  endforeach()
]])
set(POINTILLA_DESKTOP_TEMPLATES "${PROJECT_SOURCE_DIR}/share/applications")
string(CONFIGURE "${_pointilla_install_desktop}" _pointilla_install_desktop @ONLY)
install(CODE "${_pointilla_install_desktop}")
