#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build made by scripts/test.sh into a temporary prefix and
# validates the desktop entry and the AppStream metainfo it puts there.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/need-packages.sh"
need_packages desktop-file-utils appstream

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$root/build" --prefix "$prefix" >/dev/null
for file in bin/ballwright bin/ballwright-cli share/ballwright-data/Sample.opt \
  share/ballwright-data/vomrix.HLP share/icons/hicolor/scalable/apps/org.ballwright.Ballwright.svg \
  share/icons/hicolor/48x48/apps/org.ballwright.Ballwright.png; do
  [[ -s $prefix/$file ]] || { echo "not installed: $file" >&2; exit 1; }
done
desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
echo "desktop entry and metainfo are valid"
