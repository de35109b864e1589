#!/usr/bin/env bash
# dspctl.exe under Wine: every command in process with --simulate; against
# dspsim on COM5 (Wine's com5 linked to dspsim's pseudo-terminal): scan, a
# read equal to the Linux dspctl's, write, preset recall, levels, a firmware
# image arriving byte-exact, and dspsim killed mid-read; bad ports refused
# with one line. Runs in the Wine prefix of $WINEPREFIX (made by
# scripts/windows), starting and stopping dspsim itself.
#   dspctl_under_wine.sh DSPCTL_EXE DSPCTL DSPSIM
set -euo pipefail
source "$(dirname "$0")/../package/check.sh"
exe=$1
linux_dspctl=$2
dspsim=$3
wine=${DSP_WINE:-/usr/lib/wine/wine64}
com5=$WINEPREFIX/dosdevices/com5
work=$(mktemp -d)
sim_pid=""
stop_sim() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  sim_pid=""
  rm -f "$com5"
}
trap 'stop_sim; rm -rf "$work"' EXIT

win() { "$wine" "$exe" "$@"; }
# Wine hands Windows programs Unix paths as Z:\ paths; dspctl takes either.
winpath() { echo "Z:${1//\//\\}"; }

# The exit status of a command, its output kept in $work/out and $work/err.
status_of() {
  local status=0
  "$@" >"$work/out" 2>"$work/err" || status=$?
  echo "$status"
}

start_sim() {
  "$dspsim" --devices "Hall:4x8" --dump-dir "$work/dump" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
  pts=$(head -n 1 "$work/sim.out")
  ln -sfn "$pts" "$com5"
}

mkdir -p "$work/dump"
head -c 3000 /dev/urandom >"$work/firmware.bin"
echo "config_effects.max = 32" >"$work/effects.conf"
sim=(--simulate "Hall:1x1" --scan-time 1000 --config "$work/effects.conf")

echo "--simulate: every command in process"
# A file name beyond ASCII checks that paths stay UTF-8 from the command line to the file.
for command in "scan" "ports" "read 1 -o $work/Zürich.ini" "write 1 $work/Zürich.ini" "preset list 1" \
               "preset save 1 3" "preset name 1 3 Evening" "preset recall 1 3" "reset 1" "levels 1 --count 2" \
               "pink 1 1 on" "pink 1 1 off" "effects-save 1 $work/effects.bin" "effects-load 1 $work/effects.bin" \
               "firmware 1 $work/firmware.bin" "backup $work/backup" "restore $work/backup --dry-run"; do
  # shellcheck disable=SC2086
  expect "dspctl.exe --simulate $command" "$(status_of win "${sim[@]}" $command)" "0"
done
# Found in real time: a long scan leaves no doubt both answer.
expect "dspctl.exe --simulate copy 1 2" \
  "$(status_of win --simulate "Hall:1x1,Stage:1x1" --scan-time 10000 copy 1 2)" "0"

echo "COM5 linked to dspsim's pseudo-terminal"
start_sim
expect "scan on COM5" "$(win --port COM5 --scan-time 1500 --json scan 2>/dev/null | grep -o '"name":"Hall","inputs":4')" \
  '"name":"Hall","inputs":4'
win --port COM5 --scan-time 1500 read 1 -o "$work/windows.ini" 2>/dev/null
"$linux_dspctl" --port "$pts" --scan-time 1500 read 1 -o "$work/linux.ini" 2>/dev/null
expect "read on COM5 equals the Linux read" "$(tr -d '\r' <"$work/windows.ini" | cmp - "$work/linux.ini" && echo same)" \
  "same"
expect "write on COM5" "$(status_of win --port COM5 --scan-time 1500 write 1 "$work/linux.ini")" "0"
expect "preset recall on COM5" "$(status_of win --port COM5 --scan-time 1500 preset recall 1 2)" "0"
expect "levels on COM5" "$(status_of win --port COM5 --scan-time 1500 levels 1 --count 2)" "0"
expect "firmware on COM5" "$(status_of win --port COM5 --scan-time 1500 firmware 1 "$work/firmware.bin")" "0"
expect "the firmware arrives byte-exact" \
  "$(cmp "$work/firmware.bin" "$(ls -t "$work"/dump/* | head -n 1)" && echo same)" "same"

# Its own output file: the last command's must not be taken for the read having begun.
win --port COM5 --scan-time 1500 read 1 -o "$work/lost.ini" >/dev/null 2>"$work/lost.err" &
reader=$!
# Killed once the read has begun; the scan before it may be slow on a loaded machine.
for _ in $(seq 1200); do grep -q "Synchronize from device" "$work/lost.err" 2>/dev/null && break; sleep 0.05; done
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null || true
sim_pid=""
read_status=0
wait "$reader" || read_status=$?
expect "dspsim killed mid-read fails the read" "$([ "$read_status" -ne 0 ] && echo failed)" "failed"
expect "and says the port was lost" "$(grep -o 'COM5 stopped working' "$work/lost.err" | head -n 1)" "COM5 stopped working"
stop_sim

echo "bad ports"
refusals=("COM0|from COM1 to COM255" "COM256|from COM1 to COM255" "COM5|does not exist"
          "$(winpath "$work/firmware.bin")|is not a serial port")
for refusal in "${refusals[@]}"; do
  port=${refusal%%|*}
  status=$(status_of win --port "$port" scan)
  expect "--port $port fails" "$([ "$status" -ne 0 ] && echo failed)" "failed"
  expect "--port $port says why in one line" "$(wc -l <"$work/err")" "1"
  expect "--port $port: ${refusal#*|}" "$(grep -o "${refusal#*|}" "$work/err")" "${refusal#*|}"
done
finish
