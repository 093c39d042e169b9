# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of the installed layout, made by `cpack` from the build the
# tests use. The shared libraries the programs link (Qt 6 among them) become
# dependencies on Debian's packages through dpkg-shlibdeps (the X11 and
# offscreen platform plugins come with libqt6gui6; Wayland's is recommended).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ballwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ballwright developers")
set(CPACK_PACKAGE_CONTACT "The Ballwright developers <ballwright@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measures lottery lines against the history of past draws")
set(CPACK_PACKAGE_DESCRIPTION
    "Ballwright keeps the history of past draws of a 6 from 49 lottery and measures
lines of six numbers against it. It comes with windows (ballwright) and a
command line (ballwright-cli) over the same core.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(BALLWRIGHT_BUILD_UI)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
include(CPack)
