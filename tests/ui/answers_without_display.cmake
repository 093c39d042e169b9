# SPDX-License-Identifier: GPL-3.0-or-later
# `ballwright --help` and `--version` answer on the terminal where there is
# no display at all. Run with -DPROGRAM=the window program -DVERSION=its version.
function(run_without_display option)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=
            ${PROGRAM} ${option}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "ballwright ${option} ended with \"${status}\" without a display: ${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

run_without_display(--version)
if(NOT output STREQUAL "ballwright ${VERSION}\n")
  message(FATAL_ERROR "ballwright --version printed \"${output}\"")
endif()
run_without_display(--help)
foreach(part "Usage: ballwright" "--folder DIR" "--screenshot PICTURE" "--help" "--version"
        "[FILE]" "results file")
  string(FIND "${output}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "ballwright --help does not tell \"${part}\":\n${output}")
  endif()
endforeach()
