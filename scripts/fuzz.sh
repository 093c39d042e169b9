#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target of a sanitizer build (scripts/ci/sanitize-build.sh)
# for a given number of seconds each, on inputs of at most 1 KiB (some twenty
# rows of a result file: enough for every shape, and over 1,000 inputs a
# second for each target), starting from the seeds in
# fuzz/corpus/<name>/. New inputs gather in BUILD/fuzz-corpus/<name>/; an
# input that fails is kept in BUILD/fuzz-failures/ and the script fails.
# Usage: scripts/fuzz.sh [SECONDS_EACH] [BUILD_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build-sanitize}
shopt -s nullglob
targets=("$build"/bin/*_fuzz)
if ((${#targets[@]} == 0)); then
  echo "no fuzz targets in $build/bin: run scripts/ci/sanitize-build.sh first" >&2
  exit 1
fi
mkdir -p "$build/fuzz-failures"
for target in "${targets[@]}"; do
  name=$(basename "$target" _fuzz)
  corpus=$build/fuzz-corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [[ -d $root/fuzz/corpus/$name ]] && seeds=("$root/fuzz/corpus/$name")
  echo "fuzzing $name for $seconds s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$target" -max_total_time="$seconds" -max_len=1024 -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-failures/$name-" "$corpus" "${seeds[@]}" 2>"$build/fuzz-$name.log" ||
    { tail -n 60 "$build/fuzz-$name.log" >&2; exit 1; }
  grep -E "^stat::number_of_executed_units|exec/s" "$build/fuzz-$name.log" | tail -n 2 || true
done

