#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages from a clean copy of the committed tree, checks
# them with lintian and hardening-check, installs them with apt, runs both
# programs as a new user, and purges them again leaving nothing behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/need-packages.sh"
need_packages dpkg-dev devscripts lintian man-db git

fail() {
  echo "debian check: $*" >&2
  exit 1
}

work=$(mktemp -d)
user=bw-check-$$
packages=(ballwright ballwright-cli ballwright-data)
cleanup() {
  if dpkg-query -W "${packages[@]}" &>/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "${packages[@]}" >/dev/null
  fi
  if id "$user" &>/dev/null; then userdel --remove "$user" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

build_packages() {
  mkdir "$work/ballwright"
  git -C "$root" archive HEAD | tar -x -C "$work/ballwright"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq "$work/ballwright" >/dev/null
  # The tests stage has run every test on this source already, so the
  # package build skips them to keep within the time of the whole run. The
  # source package is built too, for lintian to check it.
  (cd "$work/ballwright" &&
    DEB_BUILD_OPTIONS="nocheck parallel=2" nice dpkg-buildpackage -us -uc >"$work/build.log" 2>&1) ||
    {
      tail -40 "$work/build.log" >&2
      fail "dpkg-buildpackage failed"
    }
  ls "$work"/*.deb "$work"/*.changes
}

check_packages() {
  lintian --display-info --fail-on error,warning "$work"/*.changes
  mkdir "$work/root"
  local deb
  for deb in "$work"/{ballwright,ballwright-cli}_*.deb; do dpkg-deb -x "$deb" "$work/root"; done
  hardening-check --nocfprotection "$work/root/usr/bin/ballwright" "$work/root/usr/bin/ballwright-cli"

  local cli_depends window_depends library
  cli_depends=$(dpkg-deb -f "$work"/ballwright-cli_*.deb Depends)
  window_depends=$(dpkg-deb -f "$work"/ballwright_*.deb Depends)
  echo "ballwright-cli Depends: $cli_depends"
  echo "ballwright Depends: $window_depends"
  [[ $cli_depends != *qt* ]] || fail "ballwright-cli depends on Qt"
  [[ $cli_depends == *ballwright-data* ]] || fail "ballwright-cli does not depend on ballwright-data"
  for library in ballwright-cli libqt6widgets6 libqt6gui6 libqt6core6; do
    [[ $window_depends == *"$library"* ]] || fail "ballwright does not depend on $library"
  done
}

as_user() {
  (cd / && runuser -u "$user" -- env -u XDG_DATA_HOME -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen "$@")
}

# A new user's first start makes a private lottery folder with the demo in it.
check_installed() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$work"/{ballwright,ballwright-cli,ballwright-data}_*.deb >/dev/null
  useradd --create-home "$user"
  local home user_folder
  home=$(getent passwd "$user" | cut -d: -f6)
  user_folder=$home/.local/share/Ballwright
  as_user ballwright --screenshot "$home/window.png"
  [[ $(head -c 8 "$home/window.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "no screenshot written"
  [[ $(stat -c %a "$user_folder") == 700 ]] || fail "$user_folder has mode $(stat -c %a "$user_folder"), not 700"
  cmp -s "$user_folder/Sample.opt" /usr/share/ballwright-data/Sample.opt || fail "no demo history in $user_folder"
  [[ -f $user_folder/vomrix.ini && -f $user_folder/Sample.dnd ]] || fail "the demo lottery was not loaded"
  [[ ! -e $user_folder/vomrix.HLP ]] || fail "the help file was copied instead of read from the installed data"
  as_user ballwright-cli check 3 11 17 25 38 44 | grep -q "^03-11-17-25-38-44 " ||
    fail "the installed command line does not check a line"
  as_user man ballwright-cli | grep -q ballwright-cli || fail "man ballwright-cli shows nothing"
  echo "a new user's first start made $user_folder (mode 700) with the demo lottery; both programs and the manual work"
}

check_purged() {
  dpkg -L "${packages[@]}" | sort -u >"$work/files"
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "${packages[@]}" >/dev/null
  local package path
  for package in "${packages[@]}"; do
    ! dpkg -L "$package" &>/dev/null || fail "$package is still known to dpkg"
  done
  [[ ! -e /usr/share/ballwright-data ]] || fail "/usr/share/ballwright-data is left"
  while read -r path; do
    # Folders of the system (/usr/bin, /usr/share/man/man1) stay.
    [[ ! -e $path || (-d $path && $path != *ballwright*) ]] || fail "$path is left after the purge"
  done <"$work/files"
  echo "purged: nothing of the packages is left"
}

build_packages
check_packages
check_installed
check_purged
