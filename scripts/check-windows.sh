#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the core, ballwright-cli and the core tests for 64-bit Windows
# with MinGW-w64 and runs them under Wine: first the core tests, then the
# command line on a copy of the demo lottery, whose listings and files must
# equal byte for byte those of the Linux build given the same commands.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-windows
source "$root/scripts/need-packages.sh"
need_packages cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64

# Wine keeps its own Windows folder in the build folder, downloads nothing
# (no .NET or HTML engine) and stays quiet.
export WINEPREFIX=$build/wine
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
work=$(mktemp -d)
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  # The build folder's own path stays out of the cache key, so a fresh clone
  # elsewhere (as CI makes) reuses what an earlier build compiled.
  export CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
  -DBALLWRIGHT_BUILD_UI=OFF -DBALLWRIGHT_BUILD_BENCH=OFF \
  -DBALLWRIGHT_GTEST_SOURCE_DIR=/usr/src/googletest "${launcher[@]}" >/dev/null
cmake --build "$build" --parallel 2
"$wine" wineboot --init >/dev/null 2>&1 || true
ctest --test-dir "$build" --output-on-failure --parallel 2

# The same commands on the demo lottery, and on a copy named with a letter
# outside ASCII (its name stands in vomrix.ini in Windows-1252), with each
# program in its own folder; listings and every file written must agree.
cli_session() {
  local -a cli=("$@")
  mkdir -p demo named
  cp "$root"/data/demo/* demo/
  cp "$root"/data/demo/* named/
  mv named/Sample.opt named/Köln.opt
  mv named/Sample.ini named/Köln.ini
  printf 'file=K\xf6ln.opt\r\n' >named/vomrix.ini
  local commands=(
    "check --format json 3 11 17 25 38 44"
    "check 3 11 17 25 38 44 1 2 3 4 5 6"
    "stats --format csv doubles 7"
    "system --format csv 1 2 3 4 5 6 7 8 9 10 11 12"
    "search --lines 2000 --resume"
    "search --format json --lines 2000 --resume"
    "add 20/06/2020 1 2 3 4 5 6 7"
    "check --format csv 1 2 3 4 5 6"
  )
  local folder command
  for folder in demo named; do
    for command in "${commands[@]}"; do
      echo "== $folder: $command"
      # shellcheck disable=SC2086
      "${cli[@]}" --folder "$folder" $command 2>&1 || echo "exit code $?"
    done
  done >listing.txt
}

[[ -f $root/build/build.ninja ]] || cmake -S "$root" -B "$root/build" -G Ninja "${launcher[@]}" >/dev/null
cmake --build "$root/build" --target ballwright-cli --parallel 2
mkdir "$work/linux" "$work/windows"
(cd "$work/linux" && cli_session "$root/build/bin/ballwright-cli")
(cd "$work/windows" && cli_session "$wine" "$build/bin/ballwright-cli.exe")
if ! diff -r "$work/linux" "$work/windows"; then
  echo "The Windows command line differs from the Linux one (above)." >&2
  exit 1
fi
# The same on both, and right: every command ran, and the history that the
# named lottery's settings point to gained the new draw with a CR LF end.
if grep "exit code" "$work/windows/listing.txt" ||
  ! grep -q $'^20/06/2020 01 02 03 04 05 06 07\r$' "$work/windows/named/Köln.opt"; then
  echo "The command line failed on the demo lottery:" >&2
  cat "$work/windows/listing.txt" >&2
  exit 1
fi
echo "The Windows command line wrote the same listings and files as the Linux one."
