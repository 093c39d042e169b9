#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The speed of the date-range analyses and of the distribution of all lines
# on the demo lottery: the benchmarks, then the command line's distribution,
# whose processor time (not wall time, which a busy machine stretches) must
# stay under one second.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin="$root/build/bin"
[[ -x "$bin/insight_bench" && -x "$bin/ballwright-cli" ]] || "$root/scripts/build.sh"
"$bin/insight_bench" --benchmark_min_time=0.2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$root/data/demo/Sample.opt" "$root/data/demo/Sample.ini" "$root/data/demo/vomrix.ini" "$folder/"
"$bin/ballwright-cli" --folder "$folder" check 1 2 3 4 5 6 >/dev/null  # builds the index once
TIMEFORMAT='%R %U %S'
times=$({ time "$bin/ballwright-cli" --folder "$folder" distribution >/dev/null; } 2>&1)
read -r wall user system <<<"$times"
echo "distribution of all lines: ${wall} s wall, ${user} s user, ${system} s system"
awk -v u="$user" -v s="$system" 'BEGIN { exit !(u + s < 1.0) }' ||
  { echo "the distribution took more than 1 s of processor time" >&2; exit 1; }
