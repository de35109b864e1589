#!/usr/bin/env bash
# CPU the window takes when nobody touches it: dspdesk (Release, offscreen)
# against dspsim's three processors on a pseudo-terminal, scanned, the first
# selected and read, then left alone with the level poll running over all
# three. After SETTLE seconds it samples the window process's CPU time
# (utime + stime of /proc/PID/stat) over SECONDS and prints it as a share of
# one core, then the same for each of the process's threads.
#
#   bench/idle_cpu.sh [SECONDS] [SETTLE]      (defaults 30 and 40)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
settle=${2:-40}
source bench/dspsim_session.sh
cmake --build --preset release -j 2 --target dspdesk >/dev/null
desk=$build/src/app/dspdesk

start_dspsim --devices "Hall:8x8,Stage:4x8,Lobby:2x4" --seed 1

# The script keeps the window open well past the sample.
cat >"$work/idle.scenario" <<EOF
click button_scan
select treeview_device_list 1
wait $(((settle + seconds + 60) * 1000))
EOF
QT_QPA_PLATFORM=offscreen "$desk" --port "$port" --script "$work/idle.scenario" >"$work/desk.out" 2>"$work/desk.err" &
desk_pid=$!
trap 'kill "$desk_pid" 2>/dev/null || true; wait "$desk_pid" 2>/dev/null || true; cleanup' EXIT

# utime + stime in clock ticks, from a stat file (the name may hold blanks:
# the fields are counted after its closing parenthesis).
ticks() { sed 's/.*) //' "$1" | awk '{ print $12 + $13 }'; }
thread_ticks() {
  for task in /proc/"$desk_pid"/task/*; do
    [ -r "$task/stat" ] && echo "$(basename "$task") $(ticks "$task/stat") $(tr " " _ <"$task/comm")"
  done
}

sleep "$settle"
kill -0 "$desk_pid" 2>/dev/null || { echo "dspdesk ended early: $(tail -n 3 "$work/desk.err")" >&2; exit 1; }
before=$(ticks /proc/"$desk_pid"/stat)
thread_ticks | sort >"$work/threads.before"
sleep "$seconds"
after=$(ticks /proc/"$desk_pid"/stat)
thread_ticks | sort >"$work/threads.after"

hz=$(getconf CLK_TCK)
echo "dspdesk idle against dspsim (Hall 8x8, Stage 4x8, Lobby 2x4) on $port, Release build, ${seconds} s after ${settle} s"
awk -v b="$before" -v a="$after" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "window process: %.2f %% of a core (%d ticks of 1/%d s)\n", 100 * (a - b) / hz / s, a - b, hz }'
join "$work/threads.before" "$work/threads.after" |
  awk -v hz="$hz" -v s="$seconds" '{ printf "  thread %-8s %-16s %6.2f %%\n", $1, $3, 100 * ($4 - $2) / hz / s }'
