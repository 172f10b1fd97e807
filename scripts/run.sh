#!/usr/bin/env bash
# Builds the tool and starts it. With --simulated [--sensor], also starts the simulated unit on a
# pseudo-terminal and offers it in the port list, so the tool can be tried without a unit.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
simulated=0
sim_args=()
for arg in "$@"; do
  case "$arg" in
    --simulated) simulated=1 ;;
    --sensor) sim_args+=(--sensor) ;;
    *) echo "usage: scripts/run.sh [--simulated [--sensor]]" >&2; exit 2 ;;
  esac
done
if [ "$simulated" -eq 0 ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target kelvane
  exec ./build/kelvane
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_BUILD_TESTS=ON >/dev/null
cmake --build build --target kelvane kelvane-simunit
log=$(mktemp)
./build/tests/support/kelvane-simunit "${sim_args[@]}" >"$log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 50); do
  grep -q "^Simulated unit serving" "$log" && break
  sleep 0.1
done
port=$(sed -n 's/^Simulated unit serving //p' "$log")
[ -n "$port" ] || { cat "$log" >&2; exit 1; }
description="AIS AtoN (simulated)"
[ ${#sim_args[@]} -gt 0 ] && description="AIS AtoN Sensor (simulated)"
echo "Simulated unit on $port"
KELVANE_SIMULATED_PORTS="$port=$description" ./build/kelvane
