#!/usr/bin/env bash
# Wall time of the long device procedures as dspctl runs them against dspsim
# over a pseudo-terminal (Release build), each beside the floor that the
# fixed waits and the pacing of the link imply. bench/README.md derives the
# floors. Prints one line per procedure: measured, floor, ratio.
#
#   bench/procedures.sh      (the release preset, in build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/dspsim_session.sh

# One 8x8 processor; the scan time is the default 5000 ms.
scan_ms=5000
start_dspsim --devices "Hall:8x8" --dump-dir "$work/received"

# Runs dspctl; prints the seconds its progress line gave the phase named and
# the wall time of the whole command (scan included).
phase_seconds() {
  local phase=$1; shift
  local start end
  start=$(date +%s.%N)
  "$dspctl" --port "$port" --scan-time "$scan_ms" "$@" >"$work/out" 2>"$work/err" || {
    echo "dspctl $* failed: $(tail -n 1 "$work/err")" >&2; exit 1; }
  end=$(date +%s.%N)
  local seconds
  seconds=$(grep -F "$phase 100%" "$work/err" | tail -n 1 | awk '{print $(NF-1)}')
  awk -v p="$seconds" -v s="$start" -v e="$end" 'BEGIN { printf "%s %.2f", p, e - s }'
}

# Floors in seconds (bench/README.md):
tick=0.1
scan_floor=$(awk -v s=$scan_ms 'BEGIN { printf "%.2f", (2 * 500 + (int((s + 199) / 200) + 1) * 200) / 1000 }')
# read-all of 8x8: 18 + 7*8 + 8*8 = 138 requests, two ticks each, plus the
# 1000 ms start delay (10 ticks), the tick that starts step 1 and the ten
# reset ticks of the steps other than 9.
read_floor=$(awk -v t=$tick 'BEGIN { printf "%.2f", (10 + 1 + 10 + 2 * 138) * t }')
# write-all of 8x8: 8*36 + 3 + 8*35 = 571 frames, 50 ms apart, the first
# queued on the second tick; the channel schedule (162 ticks) is shorter.
write_floor=$(awk -v t=$tick 'BEGIN { link = 2 * t + 571 * 0.050; sched = 162 * t; printf "%.2f", (link > sched ? link : sched) }')
# 1 MiB firmware: 1024 blocks of 1029 bytes at 87 us a byte on the simulated
# line, 2 ms turnaround and the ACK byte, then the 5 ms pause after an ACK;
# then the start: the 200 ms pause, block 0 with its ACK and the "C" 20 ms
# later, 10 ms after each of the two "C"s, the EOT and its ACK.
block_ms=$(awk 'BEGIN { print (1029 + 1) * 0.087 + 2 + 5 }')
firmware_floor=$(awk -v b="$block_ms" 'BEGIN { printf "%.2f", (1024 * b + 200 + (133 + 1) * 0.087 + 2 + 20 + 2 * 10 + 2.1) / 1000 }')
# The time the line itself needs for what goes out: start frame, block 0,
# the data blocks and the EOT.
firmware_line=$(awk 'BEGIN { printf "%.2f", (6 + 133 + 1024 * 1029 + 1) * 0.087 / 1000 }')

head -c 1048576 /dev/urandom >"$work/firmware.bin"

echo "dspctl against dspsim (one 8x8 processor) on $port, Release build" >&2
scan=$(phase_seconds "Scanning..." scan)
read_all=$(phase_seconds "Synchronize from device..." read 1 -o "$work/hall.ini")
write_all=$(phase_seconds "Synchronize to device..." write 1 "$work/hall.ini")
firmware=$(phase_seconds "Firmware Update" firmware 1 "$work/firmware.bin")
cmp -s "$work/firmware.bin" "$work/received/1-Hall-firmware-1.bin" || { echo "firmware arrived damaged" >&2; exit 1; }

printf "%-18s %9s %9s %7s %14s\n" procedure measured floor ratio "whole command"
row() {
  awk -v n="$1" -v m="${2% *}" -v w="${2#* }" -v f="$3" \
    'BEGIN { printf "%-18s %7.1f s %7.2f s %7.3f %12.2f s\n", n, m, f, m / f, w }'
}
row "scan (5000 ms)" "$scan" "$scan_floor"
row "read-all 8x8" "$read_all" "$read_floor"
row "write-all 8x8" "$write_all" "$write_floor"
row "firmware 1 MiB" "$firmware" "$firmware_floor"
awk -v m="${firmware% *}" -v l="$firmware_line" \
  'BEGIN { printf "firmware against the line time (%.2f s): %.3f\n", l, m / l }'
