#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need,
# asking apt-get only for what is missing.
set -euo pipefail
source "$(dirname "$0")/need-packages.sh"

# qt6-charts-dev needs the OpenGL development files without depending on them.
need_packages build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev \
  qt6-charts-dev libqt6opengl6-dev \
  libgtest-dev libgmock-dev libbenchmark-dev clang-format xvfb xauth ccache scdoc \
  zsh man-db
