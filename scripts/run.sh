#!/usr/bin/env bash
# Installs what is missing, builds, and starts Ballwright on the demo lottery.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "$root/build/bin/ballwright" "$@"
