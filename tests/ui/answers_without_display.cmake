# SPDX-License-Identifier: GPL-3.0-or-later
# `ballwright --help` and `--version` answer on the terminal where there is
# no display at all. Run with -DPROGRAM=the window program -DVERSION=its version.
# Anything else ends with a reason, never an abort.
function(run_without_display option expected_status)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=
            ${PROGRAM} ${option}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "ballwright ${option} ended with \"${status}\" without a display: ${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

run_without_display(--wrong 2)
if(NOT errors MATCHES "--wrong")
  message(FATAL_ERROR "a wrong option without a display does not name it: ${errors}")
endif()
run_without_display(results.csv 1)
if(NOT errors MATCHES "no display")
  message(FATAL_ERROR "a start without a display does not say why it ends: ${errors}")
endif()

run_without_display(--version 0)
if(NOT output STREQUAL "ballwright ${VERSION}\n")
  message(FATAL_ERROR "ballwright --version printed \"${output}\"")
endif()
run_without_display(--help 0)
foreach(part "Usage: ballwright" "--folder DIR" "--screenshot PICTURE" "--help" "--version"
        "[FILE]" "results file")
  string(FIND "${output}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "ballwright --help does not tell \"${part}\":\n${output}")
  endif()
endforeach()
