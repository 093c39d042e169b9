#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The core and command line tests in the AddressSanitizer and
# UndefinedBehaviorSanitizer build: any memory error, leak or undefined
# behaviour fails the stage.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/ci/sanitize-build.sh"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$root/build-sanitize" --output-on-failure --parallel 2
