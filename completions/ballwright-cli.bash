# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion of ballwright-cli: its commands, subcommands, options and
# their values. Stands alone (no bash-completion helpers needed).

# The options each command (or "command subcommand") takes.
declare -gA _ballwright_cli_options=(
  [check]="--rank --since --until --format"
  [hits]="--since --until --format"
  [frequency]="--since --until --format"
  [distribution]="--since --until --format"
  [system]="--format"
  [random]=""
  [search]="--from --lines --resume --format"
  [stats]="--format"
  [add]="--same-day"
  [history list]="--since --until --format"
  [history edit]="--was"
  [history delete]="--was"
  [lines list]="--format"
  [lines add]="--label --since"
  [lines remove]=""
  [lines check]="--draw --last --format"
  [lines history]="--since --until --format"
  [wheel]="--guarantee --seed --check --format"
  [import]="--dry-run --skip-bad --columns --date-order --since --until --new --stake --returns --help"
)
declare -gA _ballwright_cli_subcommands=(
  [history]="list edit delete"
  [lines]="list add remove check history"
  [stats]="singles doubles trebles"
)
_ballwright_cli_global="--folder --lottery --format --where --help --version"
# The options followed by a value.
_ballwright_cli_valued=(--folder --lottery --format --since --until --draw --last --label --lines
  --seed --guarantee --check --columns --date-order --new --stake --returns)
_ballwright_cli_commands="check hits frequency distribution system random search stats add history lines wheel import"

# The lottery folder: the one of --folder, else the one the program names.
_ballwright_cli_folder() {
  local i
  for ((i = 1; i < ${#COMP_WORDS[@]} - 1; i++)); do
    if [[ ${COMP_WORDS[i]} == --folder ]]; then
      printf '%s\n' "${COMP_WORDS[i + 1]/#\~/$HOME}"
      return
    fi
  done
  "${COMP_WORDS[0]}" --where 2>/dev/null
}

# The lotteries of the folder: its NAME.opt files but the index files.
_ballwright_cli_lotteries() {
  local folder file name
  folder=$(_ballwright_cli_folder) || return
  for file in "$folder"/*.opt; do
    name=${file##*/}
    [[ -f $file && $name != ??_?_* ]] || continue
    name=${name%.opt}
    [[ $name == "$1"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
  done
}

_ballwright_cli_files() {
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

_ballwright_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  case $prev in
    --folder)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return
      ;;
    --lottery) _ballwright_cli_lotteries "$cur"; return ;;
    --format) mapfile -t COMPREPLY < <(compgen -W "text csv json" -- "$cur"); return ;;
    --guarantee)
      mapfile -t COMPREPLY < <(compgen -W "2if2 2if3 2if4 2if5 2if6 3if3 3if4 3if5 3if6 4if4 4if5
        4if6 5if5 5if6" -- "$cur")
      return
      ;;
    --date-order) mapfile -t COMPREPLY < <(compgen -W "dmy mdy ymd" -- "$cur"); return ;;
    --check) _ballwright_cli_files "$cur"; return ;;
    --since | --until | --draw | --last | --label | --lines | --seed | --columns | --new | \
      --stake | --returns)
      return  # a value of the user's own
      ;;
  esac

  # The command and its subcommand, past the options before the command.
  local i word command="" sub="" arguments=0
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ " ${_ballwright_cli_valued[*]} " == *" $word "* ]]; then
      ((i++))
    elif [[ $word == -* ]]; then
      continue
    elif [[ -z $command ]]; then
      command=$word
    elif ((arguments++ == 0)) && [[ -n ${_ballwright_cli_subcommands[$command]-} ]]; then
      sub=$word
    fi
  done

  if [[ -z $command ]]; then
    local words=$_ballwright_cli_commands
    [[ $cur == -* ]] && words=$_ballwright_cli_global
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    return
  fi
  if [[ -n ${_ballwright_cli_subcommands[$command]-} && -z $sub ]]; then
    mapfile -t COMPREPLY < <(compgen -W "${_ballwright_cli_subcommands[$command]-}" -- "$cur")
    return
  fi
  if [[ $command == import && $arguments -eq 0 && $cur != -* ]]; then
    _ballwright_cli_files "$cur"
    return
  fi
  local key=$command
  [[ $command == history || $command == lines ]] && key="$command $sub"
  [[ $cur == -* ]] && mapfile -t COMPREPLY < <(compgen -W "${_ballwright_cli_options[$key]-}" -- "$cur")
}

complete -F _ballwright_cli ballwright-cli
