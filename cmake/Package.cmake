# A Debian package of the installed tree, built from the build folder with
#   cpack -G DEB
# into pointilla_VERSION_amd64.deb: the programs, the Trellis library, the help
# page, the menu entry, the icons, the scenario files' MIME type, the metainfo,
# the manual pages and the completions, under /usr.
# Its dependencies are computed from the binaries by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME "pointilla")
set(CPACK_PACKAGE_VENDOR "Pointilla")
set(CPACK_PACKAGE_CONTACT "Pointilla <pointilla@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mouse automation scenarios and the Trellis registry control")
set(CPACK_PACKAGE_DESCRIPTION
    "Pointilla builds scenarios of pointer moves, clicks, delays and web addresses,\n"
    "records pointer positions with a hot key, saves them as .sce files and plays\n"
    "them back on an X11 desktop. Its settings live in a registry store reached\n"
    "through the Trellis control, which the package also holds with its\n"
    "command-line tool.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# The menu entry names the program by the prefix it is installed under, so the
# package's files are staged under DESTDIR with the real prefix /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The library is the program's own, beside it in lib/pointilla.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${CMAKE_BINARY_DIR}/${POINTILLA_PRIVATE_LIBDIR}")
# Qt's own French texts (file dialogs, standard buttons) beside the program's;
# dpkg-shlibdeps adds the libraries to this.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# The program opens pages through xdg-open; the menu shows the MIME type once
# the shared MIME database knows it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, shared-mime-info")
include(CPack)
