#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every command, subcommand and option that a program's own usage lists must
# appear in each file given (its manual page source, its completions), so
# that none of them falls behind the program.
# Usage: usage_documented_test.sh PROGRAM FILE...
set -euo pipefail
program=$1
shift
# A program without --help of its own names its options in the error it gives.
usage=$("$program" --help 2>&1 || true)

# The commands and their subcommands, from the syntax column of the
# "Commands:" part: a command starts a line indented by two; a subcommand
# follows its command, starts a continued syntax line, or follows a "|".
mapfile -t words < <(awk '
  /^Commands:/ { inside = 1; next }
  inside && /^$/ { exit }
  inside {
    match($0, /^ */)
    if (RLENGTH >= 20) next  # a description only
    syntax = $0
    sub(/^ +/, "", syntax)
    sub(/  .*/, "", syntax)
    n = split(syntax, token, " ")
    if (RLENGTH == 2) { print token[1]; first = 2 } else first = 1
    for (i = first; i <= n; i++)
      if (token[i] ~ /^[a-z]+$/ && (i == first || token[i - 1] == "|")) print token[i]
  }' <<<"$usage" | sort -u)

# The options: every --word of the usage and of the commands' own usages.
for word in "${words[@]}"; do
  usage+=$'\n'$("$program" "$word" --help 2>/dev/null) || true
done
mapfile -t options < <(grep -oE -- '--[a-z][a-z-]*' <<<"$usage" | sort -u)
((${#options[@]} > 1)) || { echo "$program --help named no options: $usage"; exit 1; }

missing=0
for file in "$@"; do
  for option in "${options[@]}"; do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" "$file" ||
      { echo "$file does not mention the option $option"; missing=1; }
  done
  for word in "${words[@]}"; do
    grep -qw -- "$word" "$file" || { echo "$file does not mention the command $word"; missing=1; }
  done
done
exit $missing
