#!/usr/bin/env bash
# The installed bash completion of dspctl: commands, their words, options,
# paths after --port, and the files each command takes.
#   installed_completion.sh OUT      (as make_packages.sh left it)
set -euo pipefail
source "$(dirname "$0")/check.sh"
source "$1/root/usr/share/bash-completion/completions/dspctl"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/sub"
touch "$work/bus" "$work/hall.ini" "$work/fw.bin"

# The words of the line up to the cursor, which is at its end.
complete_line() {
  local line=$1
  read -ra COMP_WORDS <<<"$line"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _dspctl
  echo "${COMPREPLY[*]}"
}

while IFS='|' read -r line expected; do
  expect "completion of \"$line\"" "$(complete_line "$line")" "$expected"
done <<CASES
dspctl |ports scan read write copy preset reset levels pink effects-save effects-load firmware backup restore eq-import
dspctl pr|preset
dspctl --json --scan-time 2000 pr|preset
dspctl --port = /dev/null preset |list recall save name
dspctl preset re|recall
dspctl read 1 |-o
dspctl levels 1 --cou|--count
dspctl pink 1 |A B C D E F G H
dspctl pink 1 A o|on off
dspctl scan --sc|--scan-time
dspctl --port $work/b|$work/bus
dspctl --baud |
dspctl write 1 $work/|$work/sub $work/hall.ini
dspctl firmware 1 $work/|$work/sub $work/fw.bin
dspctl read 1 -o $work/h|$work/hall.ini
dspctl restore $work/s|$work/sub
dspctl restore $work/sub --d|--dry-run
dspctl eq-import 2 |in out
dspctl eq-import 2 out |A B C D E F G H
CASES
finish
