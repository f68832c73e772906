#!/usr/bin/env bash
# Typing latency in the real editor window on a virtual X display (Xvfb): XTest key presses to
# the window's first XDamage repaint, with an empty manuscript and the 1 MB and 10 MB bench
# manuscripts (RTF), plus open-to-ready, Ctrl+End in a fresh 10 MB manuscript and peak memory.
# bench/x11/typing_latency.cpp says exactly what each figure means. A benchmark: it prints the
# figures and never fails on one.
# Usage: scripts/typing-bench.sh [--keys N]   (default 54 keys a case)
# Needs: xvfb and a build with PENNORY_BENCH=ON (targets pennory, pennory_typing_latency) in
# build/, or PENNORY=/path/to/pennory and TYPING_BENCH=/path/to/pennory_typing_latency.
set -euo pipefail
cd "$(dirname "$0")/.."
program="$(realpath -m "${PENNORY:-build/src/pennory}")"
bench="$(realpath -m "${TYPING_BENCH:-build/bench/pennory_typing_latency}")"
[ -x "$program" ] || { echo "no editor at $program; build the target pennory" >&2; exit 1; }
[ -x "$bench" ] || { echo "no bench at $bench; build pennory_typing_latency" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=""
bench_pid=""
cleanup() {
  [ -n "$bench_pid" ] && kill "$bench_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A free display number, chosen by the server itself.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# The whole run is bounded, so that an editor that hangs cannot hold the script.
timeout --signal=TERM --kill-after=10 900 "$bench" --editor "$program" --work "$work/run" "$@" &
bench_pid=$!
status=0
wait "$bench_pid" || status=$?
bench_pid=""
exit "$status"
