#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's pictures of the window (docs/*.png) on a virtual screen,
# from the window tests that drive the Single Line, Statistics, My Lines,
# History and Wheels pages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
BALLWRIGHT_PICTURES="$root/docs" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1400x900x24" "$root/build/bin/ui_insight_test"
BALLWRIGHT_PICTURES="$root/docs" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1400x900x24" "$root/build/bin/ui_my_lines_test"
BALLWRIGHT_PICTURES="$root/docs" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1400x900x24" "$root/build/bin/ui_history_page_test"
BALLWRIGHT_PICTURES="$root/docs" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1400x900x24" "$root/build/bin/ui_wheels_page_test"
