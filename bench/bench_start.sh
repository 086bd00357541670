#!/usr/bin/env bash
# Start-up benchmark of the workbench: time from process start to the launcher on screen, and the
# resident memory of the idle workbench (main window shown, polling the demo capture) before the
# match tune is first played. Runs under a virtual X server of its own.
#
#   bench/bench_start.sh [RAVLIN_BINARY] [RUNS]
#
# RAVLIN_ARGS replaces the workbench's arguments (default: --force and the demo capture).
# Prints one line per run and the medians. Needs Xvfb and xdotool (scripts/setup installs them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ravlin=$(realpath "${1:-$root/build/src/shell/ravlin}")
runs=${2:-5}
idle_seconds=10
read -r -a args <<<"${RAVLIN_ARGS:---force --receiver sim:captures/demo.cap?every=5}"

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "bench_start: $tool is not installed" >&2; exit 2; }
done

display=":$((90 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$root/data/." "$work/"
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

shown_ms=()
cpu_ms=()
rss_kb=()
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    (cd "$work" && exec "$ravlin" "${args[@]}") >"$work/out.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "bench_start: ravlin ended early:" >&2; cat "$work/out.log" >&2; exit 1; }
        sleep 0.005
    done
    ms=$((($(date +%s%N) - start) / 1000000))
    # On a busy machine the wall time grows with the load; the process's own CPU time and the
    # shared libraries it has mapped by then do not.
    ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    cpu=$((ticks * 1000 / $(getconf CLK_TCK)))
    libs=$(awk '$6 ~ /\.so/ {print $6}' "/proc/$pid/maps" | sort -u | wc -l)
    # The launcher chooses the main configuration by itself after its countdown (about 7 s).
    sleep "$idle_seconds"
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "run $run: launcher shown after $ms ms ($cpu ms CPU, $libs shared libraries)," \
        "resident $((rss / 1024)) MB after ${idle_seconds} s"
    shown_ms+=("$ms")
    cpu_ms+=("$cpu")
    rss_kb+=("$rss")
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
echo "median: launcher shown after $(median "${shown_ms[@]}") ms ($(median "${cpu_ms[@]}") ms CPU)," \
    "resident $(($(median "${rss_kb[@]}") / 1024)) MB idle"
