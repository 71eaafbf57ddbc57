#!/usr/bin/env bash
# The man page and the bash completion of talver-cli: every command and option the tool
# reports in its --help is in both, and the completion offers what each place takes.
# Arguments: talver-cli, the packaging folder.
set -uo pipefail
cli=$(realpath "$1")
packaging=$(realpath "$2")
man_page=$packaging/talver-cli.1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion || { echo "bash-completion is not installed"; exit 1; }
# shellcheck disable=SC1090
source "$packaging/talver-cli.bash"

# What the completion offers for a command line whose last word is being typed, sorted.
complete_line() {
  local line=$1
  COMP_LINE=$line
  COMP_POINT=${#line}
  read -ra COMP_WORDS <<<"$line"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _talver_cli talver-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

# The commands and the long options of the tool as its help lists them.
tool_commands() { "$cli" --help | sed -n 's/^  \([a-z][a-z]*\)  .*/\1/p'; }
tool_options() { "$cli" "$@" --help | grep -E '^  -' | grep -oE -- '--[a-z][a-z-]*' | sort -u; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir out
touch a.tv6 b.json c.xml s.csv notes.txt

# The man page writes "-" as "\-".
in_man_page() { grep -qF -- "$(printf '%s' "$1" | sed 's/-/\\-/g')" "$man_page"; }

[ -n "$(tool_commands)" ] || fail "$cli --help lists no commands"
all_commands=$(complete_line "talver-cli ")
for command in $(tool_commands); do
  in_man_page "talver-cli $command" || fail "the man page has no command $command"
  [[ " $all_commands " == *" $command "* ]] || fail "the completion offers no command $command"
  offered=$(complete_line "talver-cli $command --")
  for option in $(tool_options "$command"); do
    in_man_page "$option" || fail "the man page has no option $option of $command"
    [[ " $offered " == *" $option "* ]] || fail "the completion offers no option $option after $command"
  done
done
for option in $(tool_options); do
  in_man_page "$option" || fail "the man page has no option $option"
done
for code in 0 1 2 64; do
  grep -qx ".B $code" "$man_page" || fail "the man page has no exit code $code"
done

# Command line | what the completion offers.
cases=(
  "talver-cli |build check dump explain export import statement summary xml"
  "talver-cli ex|explain export"
  "talver-cli --|--help --version"
  "talver-cli check |a.tv6 out"
  "talver-cli export a.tv6 -o |out"
  "talver-cli export a.tv6 --output=|out"
  "talver-cli export --n|--no-check"
  "talver-cli xml a.tv6 --date |"
  "talver-cli build |b.json out"
  "talver-cli build b.json -o |a.tv6 out"
  "talver-cli explain a.tv6 --|--help --json"
  "talver-cli import |c.xml out"
  "talver-cli statement |a.tv6 out"
  "talver-cli statement -o new.tv6 a.tv6 |c.xml out s.csv"
)
for case in "${cases[@]}"; do
  line=${case%%|*}
  expected=${case#*|}
  got=$(complete_line "$line")
  [[ $got == "$expected" ]] || fail "'$line' completes to '$got', not '$expected'"
done

if ((failures > 0)); then
  echo "$failures failed"
  exit 1
fi
echo "man page and completion cover talver-cli"
