# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install`: the two programs in bin/, the read-only demo lottery and
# help file in share/ballwright (the programs find it as ../share/ballwright),
# and the desktop entry, AppStream metainfo and icons where desktops look.
include(GNUInstallDirs)

set(BALLWRIGHT_APP_ID org.ballwright.Ballwright)
set(desktop_dir ${CMAKE_SOURCE_DIR}/data/desktop)

install(TARGETS ballwright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET ballwright)
  install(TARGETS ballwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/ballwright-data)

install(FILES ${desktop_dir}/${BALLWRIGHT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/${BALLWRIGHT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_dir}/icons/${BALLWRIGHT_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${desktop_dir}/icons/${BALLWRIGHT_APP_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${BALLWRIGHT_APP_ID}.png)
endforeach()
