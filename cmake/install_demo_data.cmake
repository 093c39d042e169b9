# SPDX-License-Identifier: GPL-3.0-or-later
# Copies each demo file into TARGET_DIR unless a file of that name is there.
file(MAKE_DIRECTORY ${TARGET_DIR})
file(GLOB demo_files ${SOURCE_DIR}/*)
foreach(source ${demo_files})
  get_filename_component(name ${source} NAME)
  if(NOT EXISTS ${TARGET_DIR}/${name})
    file(COPY ${source} DESTINATION ${TARGET_DIR})
  endif()
endforeach()
