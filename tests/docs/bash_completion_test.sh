#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the bash completion of ballwright-cli as the shell does (COMP_WORDS,
# COMP_CWORD, the completion function) and compares the replies offered.
# Usage: bash_completion_test.sh COMPLETION-FILE
set -uo pipefail
source "$1"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/Sample.opt" "$folder/My Lotto.opt" "$folder/03_S_Sample.opt" "$folder/results.csv"

# The words typed, the last one being completed ("" for a fresh word), and
# the replies expected in sorted order.
cases=(
  "ballwright-cli ''"                        "add check distribution frequency history hits import lines random search stats system wheel"
  "ballwright-cli --f"                       "--folder --format"
  "ballwright-cli --format ''"               "csv json text"
  "ballwright-cli --format csv li"           "lines"
  "ballwright-cli --folder /tmp r"           "random"
  "ballwright-cli lines ''"                  "add check history list remove"
  "ballwright-cli lines --format json c"     "check"
  "ballwright-cli lines check --"            "--draw --format --last"
  "ballwright-cli lines add 1 2 3 4 5 6 --"  "--label --since"
  "ballwright-cli history edit 17/06/2020 --" "--was"
  "ballwright-cli stats ''"                  "doubles singles trebles"
  "ballwright-cli check --since 01/01/2020 --r" "--rank"
  "ballwright-cli check --since ''"          ""
  "ballwright-cli add 01/01/2020 1 2 3 4 5 6 --" "--same-day"
  "ballwright-cli random --"                 ""
  "ballwright-cli wheel --guarantee 3"       "3if3 3if4 3if5 3if6"
  "ballwright-cli wheel --check $folder/re"  "$folder/results.csv"
  "ballwright-cli import $folder/re"         "$folder/results.csv"
  "ballwright-cli import x.csv --date-order ''" "dmy mdy ymd"
  "ballwright-cli import x.csv --d"          "--date-order --dry-run"
  "ballwright-cli --folder $folder --lottery ''" "My\\ Lotto Sample"
  "ballwright-cli --folder $folder --lottery S" "Sample"
)

failed=0
for ((c = 0; c < ${#cases[@]}; c += 2)); do
  eval "COMP_WORDS=(${cases[c]})"
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _ballwright_cli
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [[ $got != "${cases[c + 1]}" ]]; then
    echo "completing ${cases[c]}: expected \"${cases[c + 1]}\", got \"$got\""
    failed=1
  fi
done
exit $failed
