#!/usr/bin/env bash
# dspctl.exe under Wine: every command in process with --simulate; against
# dspsim on COM5 and COM6 (Wine's com links to dspsim pseudo-terminals): scan,
# a read equal to the Linux dspctl's, write, preset recall, levels, a
# firmware image arriving byte-exact, and dspsim killed mid-read; bad ports
# refused with one line. Runs in the Wine prefix of $WINEPREFIX (made by
# scripts/windows), starting and stopping its dspsims itself.
#
# The checks are in groups that share no file, port or processor, and the
# groups run at once: each Wine run mostly waits on the bus, in real time.
#   dspctl_under_wine.sh DSPCTL_EXE DSPCTL DSPSIM
set -euo pipefail
source "$(dirname "$0")/../package/check.sh"
exe=$1
linux_dspctl=$2
dspsim=$3
wine=${DSP_WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
# On any way out, no dspsim of a group is left behind.
stop_all() {
  # shellcheck disable=SC2046
  kill $(jobs -p) $(cat "$work"/*/sim.pid 2>/dev/null) 2>/dev/null || true
  wait
  rm -f "$WINEPREFIX"/dosdevices/com[56]
  rm -rf "$work"
}
trap stop_all EXIT

win() { "$wine" "$exe" "$@"; }
# Wine hands Windows programs Unix paths as Z:\ paths; dspctl takes either.
winpath() { echo "Z:${1//\//\\}"; }

# The exit status of a command, its output kept in the group's out and err.
status_of() {
  local status=0
  "$@" >"$dir/out" 2>"$dir/err" || status=$?
  echo "$status"
}

# A dspsim of its own for the group, its pseudo-terminal linked to Wine's COM port $1.
start_sim() {
  com=$WINEPREFIX/dosdevices/com$1
  mkdir -p "$dir/dump"
  "$dspsim" --devices "Hall:4x8" --dump-dir "$dir/dump" >"$dir/sim.out" 2>"$dir/sim.err" &
  sim_pid=$!
  echo "$sim_pid" >"$dir/sim.pid"
  # A group that stops early still frees its port, for the groups after it.
  trap stop_sim EXIT
  for _ in $(seq 100); do [ -s "$dir/sim.out" ] && break; sleep 0.1; done
  pts=$(head -n 1 "$dir/sim.out")
  ln -sfn "$pts" "$com"
}
stop_sim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -f "$com"
}

head -c 3000 /dev/urandom >"$work/firmware.bin"
echo "config_effects.max = 32" >"$work/effects.conf"
sim=(--simulate "Hall:1x1" --scan-time 1000 --config "$work/effects.conf")

# Each --simulate run starts a processor of its own, so only commands that
# pass a file along share a group.
simulate_each() {
  local command
  for command in "$@"; do
    # shellcheck disable=SC2086
    expect "dspctl.exe --simulate $command" "$(status_of win "${sim[@]}" $command)" "0"
  done
}
# A file name beyond ASCII checks that paths stay UTF-8 from the command line to the file.
simulated_files() {
  simulate_each "read 1 -o $dir/Zürich.ini" "write 1 $dir/Zürich.ini" "effects-save 1 $dir/effects.bin" \
                "effects-load 1 $dir/effects.bin" "backup $dir/backup" "restore $dir/backup --dry-run"
}
simulated_presets() {
  simulate_each "scan" "ports" "preset list 1" "preset save 1 3" "preset name 1 3 Evening" "preset recall 1 3" \
                "levels 1 --count 2" "pink 1 1 on" "pink 1 1 off"
}
simulated_reset_and_firmware() {
  simulate_each "reset 1" "firmware 1 $work/firmware.bin"
}
# Found in real time: a long scan leaves no doubt both answer.
simulated_copy() {
  expect "dspctl.exe --simulate copy 1 2" \
    "$(status_of win --simulate "Hall:1x1,Stage:1x1" --scan-time 10000 copy 1 2)" "0"
}

com5_read_and_write() {
  start_sim 5
  expect "scan on COM5" "$(win --port COM5 --scan-time 1500 --json scan 2>/dev/null | grep -o '"name":"Hall","inputs":4')" \
    '"name":"Hall","inputs":4'
  win --port COM5 --scan-time 1500 read 1 -o "$dir/windows.ini" 2>/dev/null
  "$linux_dspctl" --port "$pts" --scan-time 1500 read 1 -o "$dir/linux.ini" 2>/dev/null
  expect "read on COM5 equals the Linux read" "$(tr -d '\r' <"$dir/windows.ini" | cmp - "$dir/linux.ini" && echo same)" \
    "same"
  expect "write on COM5" "$(status_of win --port COM5 --scan-time 1500 write 1 "$dir/linux.ini")" "0"
  stop_sim
}

com6_presets_levels_firmware_and_loss() {
  start_sim 6
  expect "preset recall on COM6" "$(status_of win --port COM6 --scan-time 1500 preset recall 1 2)" "0"
  expect "levels on COM6" "$(status_of win --port COM6 --scan-time 1500 levels 1 --count 2)" "0"
  expect "firmware on COM6" "$(status_of win --port COM6 --scan-time 1500 firmware 1 "$work/firmware.bin")" "0"
  expect "the firmware arrives byte-exact" \
    "$(cmp "$work/firmware.bin" "$(ls -t "$dir"/dump/* | head -n 1)" && echo same)" "same"

  # Its own output file: the last command's must not be taken for the read having begun.
  win --port COM6 --scan-time 1500 read 1 -o "$dir/lost.ini" >/dev/null 2>"$dir/lost.err" &
  local reader=$!
  # Killed once the read has begun; the scan before it may be slow on a loaded machine.
  for _ in $(seq 1200); do grep -q "Synchronize from device" "$dir/lost.err" 2>/dev/null && break; sleep 0.05; done
  stop_sim
  local read_status=0
  wait "$reader" || read_status=$?
  expect "dspsim killed mid-read fails the read" "$([ "$read_status" -ne 0 ] && echo failed)" "failed"
  expect "and says the port was lost" "$(grep -o 'COM6 stopped working' "$dir/lost.err" | head -n 1)" \
    "COM6 stopped working"
}

# COM5 has nothing behind it once its group has ended.
bad_ports() {
  local refusal port status
  local refusals=("COM0|from COM1 to COM255" "COM256|from COM1 to COM255" "COM5|does not exist"
                  "$(winpath "$work/firmware.bin")|is not a serial port")
  for refusal in "${refusals[@]}"; do
    port=${refusal%%|*}
    status=$(status_of win --port "$port" scan)
    expect "--port $port fails" "$([ "$status" -ne 0 ] && echo failed)" "failed"
    expect "--port $port says why in one line" "$(wc -l <"$dir/err")" "1"
    expect "--port $port: ${refusal#*|}" "$(grep -o "${refusal#*|}" "$dir/err")" "${refusal#*|}"
  done
}

# Runs the groups named at once, each in its own folder with its own tally,
# then prints each group's output in order and adds the tallies up. A group
# that stopped before its tally counts as one failed check.
run_at_once() {
  local group pids=() status tally
  for group in "$@"; do
    mkdir -p "$work/$group"
    (dir=$work/$group; passed=0; failed=0; "$group"; finish) >"$work/$group.log" 2>&1 &
    pids+=($!)
  done
  for group in "$@"; do
    status=0
    wait "${pids[0]}" || status=$?
    pids=("${pids[@]:1}")
    echo "== $group"
    cat "$work/$group.log"
    tally=$(tail -n 1 "$work/$group.log")
    if [[ $tally =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
      passed=$((passed + BASH_REMATCH[1]))
      failed=$((failed + BASH_REMATCH[2]))
    elif [ "$status" -ne 0 ]; then
      failed=$((failed + 1))
      echo "FAILED: $group stopped before its last check (status $status)"
    fi
  done
}

run_at_once com5_read_and_write com6_presets_levels_firmware_and_loss simulated_files simulated_presets \
            simulated_reset_and_firmware simulated_copy
run_at_once bad_ports
finish
