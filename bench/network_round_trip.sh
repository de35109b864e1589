#!/usr/bin/env bash
# How much round trip a bus behind a device server tolerates: dspctl reads
# a 1x1 processor through socat (raw TCP, in front of dspsim's
# pseudo-terminal) and a relay that delays every byte by half the round trip
# each way. Prints, per round trip and answer-wait allowance, whether the
# read-all succeeded with the same file a direct read gives, and its time.
#
#   bench/network_round_trip.sh [ROUND_TRIP_MS...]   (the release preset, in build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/dspsim_session.sh
cmake --build --preset release -j 2 --target delay_relay >/dev/null
relay=$build/bench/delay_relay

scan_ms=2000
start_dspsim --devices "Desk:1x1"
"$dspctl" --port "$port" --scan-time "$scan_ms" read 1 -o "$work/direct.ini" 2>/dev/null >/dev/null

server_port=47301
relay_port=47302
socat "TCP-LISTEN:$server_port,bind=127.0.0.1,reuseaddr,fork" "FILE:$port,raw,echo=0" &
socat_pid=$!
relay_pid=""
stop_servers() {
  [ -z "$relay_pid" ] || kill "$relay_pid" 2>/dev/null || true
  kill "$socat_pid" 2>/dev/null || true
  cleanup
}
trap stop_servers EXIT

# row ROUND_TRIP EXTRA prints the two and "ok SECONDS" or "failed: LAST LINE".
# It runs in this shell, not a subshell, so that it can stop the last relay.
row() {
  [ -z "$relay_pid" ] || { kill "$relay_pid"; wait "$relay_pid" 2>/dev/null || true; }
  "$relay" "$relay_port" "$server_port" "$1" >"$work/relay.out" &
  relay_pid=$!
  for _ in $(seq 50); do [ -s "$work/relay.out" ] && break; sleep 0.1; done
  rm -f "$work/net.ini"
  local start end
  start=$(date +%s.%N)
  printf '%-14s %-10s ' "$1" "$2"
  if "$dspctl" --port "tcp://127.0.0.1:$relay_port" --scan-time "$scan_ms" --answer-wait-extra "$2" \
      read 1 -o "$work/net.ini" >/dev/null 2>"$work/err" && cmp -s "$work/net.ini" "$work/direct.ini"; then
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "ok %.1f s\n", e - s }'
  else
    echo "failed: $(tail -n 1 "$work/err")"
  fi
}

# Without an allowance, then with one as long as the round trip.
round_trips=("$@")
[ $# -gt 0 ] || round_trips=(0 40 60 80 100 150 300)
printf '%-14s %-10s %s\n' "round trip ms" "extra ms" "read-all"
for rtt in "${round_trips[@]}"; do
  row "$rtt" 0
  [ "$rtt" -eq 0 ] || row "$rtt" "$rtt"
done
