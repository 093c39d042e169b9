#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The releases told to users (NEWS.md), to Debian (debian/changelog) and to
# software centres (the AppStream metainfo) must be the same versions on the
# same days, newest first, and the newest must be CMake's project version.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

# Each prints one "VERSION DATE" line a release, newest first.
news_releases() {
  sed -nE 's/^## ([^ ]+) \(([0-9]{4}-[0-9]{2}-[0-9]{2})\)$/\1 \2/p' "$root/NEWS.md"
}
changelog_releases() {
  local version
  while read -r version; do
    read -r day
    echo "$version $(date -u -d "$day" +%F)"
  done < <(sed -nE -e 's/^ballwright \(([^)]+)\) .*/\1/p' \
    -e 's/^ -- .*  [A-Z][a-z]{2}, ([0-9]{1,2} [A-Z][a-z]{2} [0-9]{4}) .*/\1/p' \
    "$root/debian/changelog")
}
metainfo_releases() {
  sed -nE 's/.*<release version="([^"]+)" date="([^"]+)".*/\1 \2/p' \
    "$root"/data/desktop/*.metainfo.xml
}
project_version() {
  sed -nE 's/^project\([A-Za-z]+ VERSION ([0-9.]+) .*/\1/p' "$root/CMakeLists.txt"
}

news=$(news_releases)
[[ -n $news ]] || { echo "releases: NEWS.md names no release as '## VERSION (YYYY-MM-DD)'" >&2; exit 1; }
status=0
for source in changelog metainfo; do
  other=$("${source}_releases")
  if [[ $other != "$news" ]]; then
    echo "releases: the $source is out of step with NEWS.md:" >&2
    diff <(echo "$news") <(echo "$other") >&2 || true
    status=1
  fi
done
newest=${news%% *}
if [[ $newest != "$(project_version)" ]]; then
  echo "releases: the newest release $newest is not the project version $(project_version)" >&2
  status=1
fi
((status == 0)) && echo "NEWS.md, debian/changelog and the metainfo name the same releases"
exit $status
