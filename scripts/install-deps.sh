#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# asking apt-get only for what is missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang-format xvfb xauth ccache)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
