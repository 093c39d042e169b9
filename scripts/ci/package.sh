#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the build made by scripts/test.sh into a .deb, unpacks it into a
# temporary root and starts the installed window headless against a fresh
# home folder: the first start must make the user's lottery folder with the
# demo lottery in it and write the screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/need-packages.sh"
need_packages dpkg-dev file

fail() {
  echo "package check: $*" >&2
  exit 1
}

build=$root/build
rm -f "$build"/ballwright_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/ballwright_*.deb)
echo "built $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
  [[ $depends == *"$library"* ]] || fail "no dependency on $library"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
mkdir "$work/home"
user_folder=$work/home/.local/share/Ballwright
run_installed() {
  env -u XDG_DATA_HOME HOME="$work/home" QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/$@"
}

[[ $(run_installed ballwright-cli --where) == "$user_folder" ]] || fail "--where names another folder"
[[ ! -e $user_folder ]] || fail "--where made the folder"
run_installed ballwright --screenshot "$work/window.png"

[[ -f $work/root/usr/share/ballwright-data/Sample.opt && ! -e $work/root/usr/share/ballwright ]] ||
  fail "the demo lottery is not in /usr/share/ballwright-data"
[[ $(stat -c %a "$user_folder") == 700 ]] || fail "$user_folder is not private (mode 700)"
cmp -s "$user_folder/Sample.opt" "$root/data/demo/Sample.opt" || fail "no demo history in $user_folder"
[[ -f $user_folder/vomrix.ini && -f $user_folder/Sample.dnd ]] || fail "the demo lottery was not loaded"
[[ ! -e $user_folder/vomrix.HLP ]] || fail "the help file was copied instead of read from the installed data"
[[ $(head -c 8 "$work/window.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  fail "no screenshot written"
run_installed ballwright-cli check 3 11 17 25 38 44 | grep -q "^03-11-17-25-38-44 " ||
  fail "the installed command line does not check a line"
echo "installed window started, made $user_folder with the demo lottery and wrote the screenshot"
