#!/usr/bin/env bash
# Runs the server bench against Brannic Webserver and against OLA's olad (Debian package ola) with
# the same client, one after the other, and prints both and the ratios.
# Usage: bench/compare-olad.sh [build folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
bench="$build/server_bench"
[ -x "$bench" ] || { echo "no $bench: configure with -DBRANNIC_BENCH=ON and build server_bench" >&2; exit 1; }
command -v olad >/dev/null || { echo "olad is missing: apt-get install ola" >&2; exit 1; }

# olad caps its frames at 1000 a second and drops the ones above, so the latency run leaves 2 ms
# between requests, for both servers alike.
export BENCH_PACE_US=2000

# Prints: requests per second, and the p50 and p99 from request to frame in milliseconds.
run() {
    "$bench" --benchmark_format=json 2>/dev/null | python3 -c '
import json, sys
runs = {run["name"].split("/")[0]: run for run in json.load(sys.stdin)["benchmarks"]}
for run in runs.values():
    if run.get("error_occurred"):
        sys.exit("bench failed: " + run.get("error_message", ""))
frames = runs["RequestToFrame"]
print(runs["Requests"]["items_per_second"], frames["p50_ms"], frames["p99_ms"])'
}

read -r ours_rate ours_p50 ours_p99 < <(run)
read -r olad_rate olad_p50 olad_p99 < <(
    BENCH_SERVER_COMMAND="'$here/olad_server.sh' {device} {port} {dir}" \
    BENCH_SERVER_READY="'$here/olad_patch.sh'" BENCH_REQUEST=olad run)

python3 - "$ours_rate" "$ours_p50" "$ours_p99" "$olad_rate" "$olad_p50" "$olad_p99" <<'PY'
import sys
ours_rate, ours_p50, ours_p99, olad_rate, olad_p50, olad_p99 = map(float, sys.argv[1:])
print(f"brannic-webserver: {ours_rate:8.0f} requests/s, request to frame p50 {ours_p50:.3f} ms, p99 {ours_p99:.3f} ms")
print(f"olad:              {olad_rate:8.0f} requests/s, request to frame p50 {olad_p50:.3f} ms, p99 {olad_p99:.3f} ms")
print(f"rate ratio {ours_rate / olad_rate:.2f} (goal >= 2), p99 ratio {ours_p99 / olad_p99:.2f} (goal <= 0.6)")
PY
