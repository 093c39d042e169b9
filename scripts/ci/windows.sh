#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CI stage: the core, the command line and the core tests built for Windows
# and run under Wine.
set -euo pipefail
exec "$(dirname "$0")/../check-windows.sh"
