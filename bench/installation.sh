#!/usr/bin/env bash
# Wall time of a whole-installation backup and restore against the sum of
# the single reads and writes of the same processors, as dspctl runs them
# against dspsim over a pseudo-terminal (Release build). Prints one line per
# pair: the whole, the sum of the singles, and what the whole saved.
#
#   bench/installation.sh [DEVICES]     (default "Hall:8x8,Stage:4x8,Lobby:2x4")
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/dspsim_session.sh

devices=${1:-"Hall:8x8,Stage:4x8,Lobby:2x4"}
count=$(tr ',' '\n' <<<"$devices" | wc -l)

start_dspsim --devices "$devices"

# Seconds dspctl took for one command (its scan included). A scan can miss a
# processor whose answers kept colliding; such a run is said on standard
# error and the command is run again, and only the run that did its work
# is timed.
seconds() {
  local start end attempt
  for attempt in 1 2 3; do
    start=$(date +%s.%N)
    if "$dspctl" --port "$port" "$@" >"$work/out" 2>"$work/err"; then
      end=$(date +%s.%N)
      awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", e - s }'
      return
    fi
    echo "dspctl $* failed (run $attempt): $(tail -n 1 "$work/err")" >&2
  done
  exit 1
}

report() {
  awk -v what="$1" -v whole="$2" -v singles="$3" -v n="$count" \
    'BEGIN { printf "%-8s whole %6.1f s   %d single commands %6.1f s   saved %5.1f s\n", what, whole, n, singles, singles - whole }'
}

backup=$(seconds backup "$work/site")
# The singles name each processor by its chip ID, as the backup's file names
# give it: the addresses a scan hands out may change from one run to the next,
# and a file written to another processor would time the wrong channel counts.
chip_ids=$(for unit in "$work"/site/unit-*.ini; do id=${unit##*/unit-}; echo "${id%.ini}"; done)
reads=0
for id in $chip_ids; do
  reads=$(awk -v a="$reads" -v b="$(seconds read "$id" -o "$work/single-$id")" 'BEGIN { print a + b }')
done
report backup "$backup" "$reads"

restore=$(seconds restore "$work/site")
writes=0
for id in $chip_ids; do
  writes=$(awk -v a="$writes" -v b="$(seconds write "$id" "$work/single-$id.ini")" 'BEGIN { print a + b }')
done
report restore "$restore" "$writes"
