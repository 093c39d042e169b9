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
# Older validators (Debian 12's) do not know SingleMainWindow yet: exactly
# that complaint is let pass, any other fails.
validate_desktop_entry() {
  local report status=0
  report=$(desktop-file-validate "$1" 2>&1) || status=$?
  local others
  others=$(grep -v 'contains key "SingleMainWindow" in group "Desktop Entry", but keys extending the format should start with "X-"' <<<"$report" || true)
  if [[ -n $others ]] || { ((status)) && [[ $report != *SingleMainWindow* ]]; }; then
    printf '%s\n' "$report" >&2
    return 1
  fi
}
for entry in "$prefix"/share/applications/*.desktop; do
  validate_desktop_entry "$entry"
  grep -qx 'SingleMainWindow=true' "$entry" || { echo "$entry: no SingleMainWindow=true" >&2; exit 1; }
done
# Pedantic: no error, warning or info; only the hint on the capital in the
# kept id may stay.
for metainfo in "$prefix"/share/metainfo/*.metainfo.xml; do
  report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || {
    printf '%s\n' "$report" >&2
    exit 1
  }
  if grep -E '^[EWI]: ' <<<"$report" >&2 ||
    grep -E '^P: ' <<<"$report" | grep -v cid-contains-uppercase-letter >&2; then
    echo "$metainfo: the validator has more to say than the hint on the id" >&2
    exit 1
  fi
done
echo "desktop entry and metainfo are valid"
