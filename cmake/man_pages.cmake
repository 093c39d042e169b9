# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages, made from their scdoc sources into build/man when scdoc is
# there, and the shell completions of ballwright-cli; both installed where
# man and the shells look. Windows has neither.
if(WIN32)
  return()
endif()
include(GNUInstallDirs)

set(BALLWRIGHT_MAN_PAGES ballwright ballwright-cli)
set(BALLWRIGHT_MAN_DIR ${CMAKE_BINARY_DIR}/man)
find_program(SCDOC scdoc)
if(SCDOC)
  set(man_pages)
  foreach(page ${BALLWRIGHT_MAN_PAGES})
    set(source ${CMAKE_SOURCE_DIR}/man/${page}.1.scd)
    set(page_file ${BALLWRIGHT_MAN_DIR}/${page}.1)
    add_custom_command(OUTPUT ${page_file}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${BALLWRIGHT_MAN_DIR}
      COMMAND ${SCDOC} < ${source} > ${page_file}
      DEPENDS ${source}
      COMMENT "Making the manual page ${page}(1)")
    list(APPEND man_pages ${page_file})
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "scdoc not found: the manual pages are not made (install the scdoc package)")
endif()

set(completions_dir ${CMAKE_SOURCE_DIR}/completions)
install(FILES ${completions_dir}/ballwright-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ballwright-cli)
install(FILES ${completions_dir}/_ballwright-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
