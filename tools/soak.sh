#!/bin/sh
# The random soak with fresh seeds, for a local run before every submission.
#
#   tools/soak.sh [minutes]          fresh seeds for that long (default 20)
#   tools/soak.sh --seed S --steps N replays one session
#
# Each seed runs both soak sessions (document operations and dialogs) for
# QORVA_SOAK_STEPS steps (default 400) in the normal build (build/, built
# first). A failure prints its seed and the step count that replays it and
# ends the run; the last line says how many seeds and steps passed.
set -e
cd "$(dirname "$0")/.."
minutes=20
seed=""
steps="${QORVA_SOAK_STEPS:-400}"
while [ $# -gt 0 ]; do
  case "$1" in
    --seed) seed="$2"; shift 2 ;;
    --steps) steps="$2"; shift 2 ;;
    [0-9]*) minutes="$1"; shift ;;
    *) echo "usage: tools/soak.sh [minutes] | --seed S --steps N" >&2; exit 2 ;;
  esac
done
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target gui_tests >/dev/null
export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'rm -f "$log"' EXIT

run() {
  QORVA_SOAK_SEED="$1" QORVA_SOAK_STEPS="$2" build/tests/gui_tests --gtest_filter='Soak*.*' >"$log" 2>&1
}

if [ -n "$seed" ]; then
  if run "$seed" "$steps"; then
    grep '^soak:' "$log"
    echo "soak.sh: seed $seed, $steps steps: no failure"
    exit 0
  fi
  grep -E '^soak:|Failure|seed [0-9]+, step' "$log"
  echo "soak.sh: seed $seed failed"
  exit 1
fi

end=$(( $(date +%s) + minutes * 60 ))
seeds=0
total=0
while [ "$(date +%s)" -lt "$end" ]; do
  seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
  if ! run "$seed" "$steps"; then
    grep -E '^soak:|Failure|seed [0-9]+, step' "$log"
    at=$(grep -oE "seed $seed, step [0-9]+" "$log" | head -n 1 | grep -oE '[0-9]+$')
    replay=$steps
    [ -n "$at" ] && replay=$((at + 1))
    echo "soak.sh: FAILED after $seeds seeds: seed $seed, steps $replay (replay: tools/soak.sh --seed $seed --steps $replay)"
    exit 1
  fi
  seeds=$((seeds + 1))
  total=$((total + 2 * steps))
done
echo "soak.sh: $seeds seeds, $total steps in $minutes minutes, no failure"
