#!/usr/bin/env bash
# The project's main job: builds everything, starts the simulated front on loopback (free ports), runs
# the demo program of both libraries against it, stops the front and exits with the demo's status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p build
cmake -S . -B build -G Ninja >build/configure.log 2>&1 || { cat build/configure.log; exit 1; }
ninja -C build -j "$(nproc)" simfront demo

ports=$(mktemp)
log=build/simfront.log
build/tools/simfront/simfront --trade-port 0 --quote-port 0 --quote-interval 200 >"$ports" 2>"$log" &
front=$!
trap 'kill "$front" 2>/dev/null || true; wait "$front" 2>/dev/null || true; rm -f "$ports"' EXIT

# The front prints "... trade=HOST:PORT quote=HOST:PORT" once it listens.
for _ in $(seq 100); do
    grep -q 'quote=' "$ports" && break
    kill -0 "$front" 2>/dev/null || { cat "$log"; exit 1; }
    sleep 0.1
done
trade=$(grep -o 'trade=[^ ]*' "$ports" | cut -d= -f2)
quote=$(grep -o 'quote=[^ ]*' "$ports" | cut -d= -f2)
[ -n "$trade" ] && [ -n "$quote" ] || { echo "demo: the simulated front did not start"; cat "$log"; exit 1; }
echo "simulated front: trading $trade, market data $quote (log in $log)"

status=0
build/examples/demo "tcp://$trade" "tcp://$quote" 10001 123456 20 || status=$?
exit "$status"
