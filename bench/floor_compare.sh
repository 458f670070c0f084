#!/usr/bin/env bash
# Runs the console (headless, the interface on a pseudo-terminal, standard output to a file) and the
# floor server (../shared/bench/floor_server.c, the least I/O one command needs) with the same client,
# and prints per command: CPU time and request-to-frame p50/p99 of both, and the console's status
# lines and, under strace -c -f, its write calls and all system calls.
# Usage: bench/floor_compare.sh [build folder] [program]   (program: default build/brannic-webserver)
# BENCH_COMMANDS (default 5000) commands a run; BENCH_PACE_US (default 1000) between commands.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
program=${2:-$build/brannic-webserver}
bench="$build/server_bench"
[ -x "$bench" ] || { echo "no $bench: build server_bench" >&2; exit 1; }
command -v strace >/dev/null || { echo "strace is missing: apt-get install strace" >&2; exit 1; }
# Beside the main checkout, or two up from a worktree under wt/; FLOOR_SOURCE names another.
floor=${FLOOR_SOURCE:-$root/../shared/bench/floor_server.c}
[ -f "$floor" ] || floor=$root/../../shared/bench/floor_server.c
cc -O2 -Wall -Wextra -o "$build/floor_server" "$floor"

commands=${BENCH_COMMANDS:-5000}
export BENCH_PACE_US=${BENCH_PACE_US:-1000}
# Neither server probes the interface the way olad does.
export BENCH_SERVER_PROBES=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
serve="--headless --port {port} --prefs-dir {dir} --app-dir {dir}"

# Prints: request-to-frame p50 and p99 in microseconds, and CPU microseconds per command.
latency() {
    BENCH_COMMANDS=$1 "$bench" --benchmark_filter='^RequestToFrame/' --benchmark_format=json \
        2>/dev/null | python3 -c '
import json, sys
run = json.load(sys.stdin)["benchmarks"][0]
if run.get("error_occurred"):
    sys.exit("bench failed: " + run.get("error_message", ""))
print(run["p50_ms"] * 1000, run["p99_ms"] * 1000, run["cpu_us_per_request"])'
}

# Prints the console's write calls and all system calls over a run of $1 commands.
syscalls() {
    BENCH_SERVER_COMMAND="exec strace -c -f -o '$scratch/strace' '$program' $serve" latency "$1" >/dev/null
    awk '$NF == "write" { writes = $4 } $NF == "total" { all = $4 } END { print writes + 0, all }' \
        "$scratch/strace"
}

read -r ours_p50 ours_p99 ours_cpu < <(BENCH_SERVER_STDOUT="$scratch/status" \
    BENCH_SERVER_COMMAND="exec '$program' $serve" latency "$commands")
lines=$(wc -l <"$scratch/status")
read -r floor_p50 floor_p99 floor_cpu < <(\
    BENCH_SERVER_COMMAND="exec '$build/floor_server' $serve" latency "$commands")
# Start-up and shutdown cancel out between a long and a short run.
read -r writes_long all_long < <(syscalls "$commands")
read -r writes_short all_short < <(syscalls 100)

python3 - "$commands" "$lines" "$ours_cpu" "$floor_cpu" "$ours_p50" "$ours_p99" "$floor_p50" \
    "$floor_p99" "$writes_long" "$all_long" "$writes_short" "$all_short" <<'PY'
import sys
n, lines, cpu, floor_cpu, p50, p99, floor_p50, floor_p99, wl, al, ws, as_ = map(float, sys.argv[1:])
per = n - 100
print(f"per command over {n:.0f} commands:")
print(f"  status lines {lines / n:.2f}, writes {(wl - ws) / per:.2f}, all system calls {(al - as_) / per:.2f}")
print(f"  CPU us: ours {cpu:.1f}, floor {floor_cpu:.1f}, ratio {cpu / floor_cpu:.2f} (goal <= 1.6)")
print(f"  request to frame p50 us: ours {p50:.0f}, floor {floor_p50:.0f}")
print(f"  request to frame p99 us: ours {p99:.0f}, floor {floor_p99:.0f}, ratio {p99 / floor_p99:.2f} (goal <= 1.2)")
PY
