# Sourced by the benchmarks that time dspctl against dspsim: builds both in
# the release preset, makes a scratch folder removed on exit, and starts
# dspsim with the arguments given, leaving its pseudo-terminal in $port.
source scripts/deps.sh
dsp_install_deps

build=build/release
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target dspctl dspsim >/dev/null
dspctl=$build/src/cli/dspctl
dspsim=$build/src/sim/dspsim

work=$(mktemp -d)
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

start_dspsim() {
  "$dspsim" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
  port=$(head -n 1 "$work/sim.out")
  [ -n "$port" ] || { echo "dspsim did not start: $(cat "$work/sim.err")" >&2; exit 1; }
}
