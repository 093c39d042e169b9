#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the core, the command line, their tests and the fuzz targets with
# clang under AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/, the one build the sanitizer and fuzz stages share (a second
# call only builds what changed).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/need-packages.sh"
need_packages clang libclang-rt-14-dev cmake ninja-build libgtest-dev libgmock-dev

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  # The build folder's own path stays out of the cache key, so a fresh clone
  # elsewhere (as CI makes) reuses what an earlier build compiled.
  export CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  -DBALLWRIGHT_BUILD_UI=OFF -DBALLWRIGHT_BUILD_BENCH=OFF -DBALLWRIGHT_BUILD_FUZZ=ON >/dev/null
cmake --build "$root/build-sanitize" --parallel 2
