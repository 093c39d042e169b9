#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every fuzz target for about 20 seconds, on the sanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/ci/sanitize-build.sh"
"$root/scripts/fuzz.sh" 20 "$root/build-sanitize"
