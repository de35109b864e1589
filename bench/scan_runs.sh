#!/usr/bin/env bash
# Full-bus scans in real time: dspctl scan against dspsim over a
# pseudo-terminal (Release build), one dspsim per run. Prints one line per
# run (found, expected, whether dspctl said the scan was cut short, wall
# time) and a summary per set. Long: about 12 minutes for every set; never
# run in CI.
#
#   bench/scan_runs.sh [SET...]     sets: halves8 (8 processors, halves,
#                                   seeds 1-5, --scan-time 90000), slots16
#                                   (16, slots, seeds 1-3, 15000), three
#                                   (3, halves, 50 seeds, default scan time);
#                                   default all three
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/dspsim_session.sh

# Processors "U1:1x1" to "U<count>:1x1".
units() { seq -f "U%g:1x1" "$1" | paste -sd, -; }

stop_dspsim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}

# One scan; prints its line and leaves 1 in $complete when every processor was found.
run_scan() {
  local set=$1 behaviour=$2 count=$3 seed=$4 scan_time=$5 start end found cut
  start_dspsim --devices "$(units "$count")" --discovery "$behaviour" --seed "$seed"
  local args=(--port "$port")
  [ -n "$scan_time" ] && args+=(--scan-time "$scan_time")
  start=$(date +%s.%N)
  "$dspctl" "${args[@]}" --json scan >"$work/out" 2>"$work/err" || true
  end=$(date +%s.%N)
  stop_dspsim
  found=$(grep -o '"address"' "$work/out" | wc -l || true)
  [ "$found" -gt 0 ] || echo "$set seed $seed: dspctl said: $(tail -n 1 "$work/err")" >&2
  cut=$(grep -c "scan time ran out while processors were still answering" "$work/err" || true)
  complete=$([ "$found" -eq "$count" ] && echo 1 || echo 0)
  awk -v set="$set" -v seed="$seed" -v found="$found" -v n="$count" -v cut="$cut" -v s="$start" -v e="$end" \
    'BEGIN { printf "%-8s seed %2d: found %2d of %2d, said cut short: %s, %5.1f s\n", set, seed, found, n, (cut > 0 ? "yes" : "no"), e - s }'
}

run_set() {
  local set=$1 behaviour=$2 count=$3 seeds=$4 scan_time=$5 all=0 runs=0
  for seed in $(seq "$seeds"); do
    run_scan "$set" "$behaviour" "$count" "$seed" "$scan_time"
    all=$((all + complete))
    runs=$((runs + 1))
  done
  echo "$set: $all of $runs scans found every processor"
}

sets=("$@")
[ ${#sets[@]} -gt 0 ] || sets=(halves8 slots16 three)
for set in "${sets[@]}"; do
  case $set in
    halves8) run_set halves8 halves 8 5 90000 ;;
    slots16) run_set slots16 slots 16 3 15000 ;;
    three) run_set three halves 3 50 "" ;;
    *) echo "unknown set \"$set\": halves8, slots16 or three" >&2; exit 2 ;;
  esac
done
