#!/usr/bin/env bash
# The three programs as the packages install them, run from the unpacked
# tree with nothing of the build folder: their versions, dspctl scanning
# simulated processors, dspctl and dspsim over dspsim's pseudo-terminal, and
# dspdesk playing the installed demonstration offscreen on the installed skin.
#   installed_programs.sh OUT VERSION      (OUT as make_packages.sh left it)
set -euo pipefail
source "$(dirname "$0")/check.sh"
root=$1/root
version=$2
bin=$root/usr/bin
work=$(mktemp -d)
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
unset DSPDESK_SKIN_DIR

for program in dspctl dspsim dspdesk; do
  expect "$program --version" "$("$bin/$program" --version)" "$program $version"
done

expect "dspctl --simulate scans the simulated processor" \
  "$("$bin/dspctl" --simulate "Hall:8x8" scan 2>/dev/null | awk 'NR == 2 {print $1, $NF, $(NF - 1), $(NF - 2)}')" \
  "1 8 8 Hall"

"$bin/dspsim" --devices "Desk:2x4" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
port=$(head -n 1 "$work/sim.out")
expect "dspsim serves a pseudo-terminal" "${port%/*}" "/dev/pts"
expect "dspctl finds dspsim's processor" \
  "$("$bin/dspctl" --port "$port" --scan-time 2000 --json scan 2>/dev/null | grep -o '"name":"Desk","inputs":2,"outputs":4')" \
  '"name":"Desk","inputs":2,"outputs":4'
kill -TERM "$sim_pid"
status=0
wait "$sim_pid" || status=$?
sim_pid=""
expect "dspsim stops on SIGTERM" "$status" 0

status=0
QT_QPA_PLATFORM=offscreen "$bin/dspdesk" --simulate "Desk:1x1" \
  --script "$root/usr/share/dspdesk/skin/demo.scenario" --screenshot "$work/shot.png" >"$work/desk.log" 2>&1 || status=$?
expect "dspdesk plays the demonstration on the installed skin" "$status" 0
[ "$status" -eq 0 ] || cat "$work/desk.log"
expect "dspdesk saves its screenshot" "$(file -b "$work/shot.png" | cut -d, -f1)" "PNG image data"
finish
