#!/usr/bin/env bash
# Times the launcher's start-up (process start to first paint, then exit) against a bare Qt
# window of the same size and number of child widgets, on the offscreen platform.
#
#   bench/startup.sh [RUNS]        (default 30 runs each, after 3 warm-up runs)
#
# Builds both programs in build-bench/ (Release, -DVM_BUILD_BENCH=ON). Uses hyperfine when it
# is installed (apt-get install hyperfine), otherwise a plain timing loop.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-30}
build_dir=${VM_BENCH_BUILD_DIR:-build-bench}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVM_BUILD_BENCH=ON \
  -DVM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --parallel 2 --target vmlaunch-bench bench-floor >/dev/null

launcher=$build_dir/bench/vmlaunch-bench
floor=$build_dir/bench/bench-floor
export QT_QPA_PLATFORM=offscreen VM_BENCH_QUIT_AFTER_PAINT=1

if command -v hyperfine >/dev/null 2>&1; then
  exec hyperfine -N --warmup 3 --runs "$runs" -n floor "$floor" -n vmlaunch "$launcher"
fi

# Mean wall time of one run in milliseconds.
mean_ms() {
  local program=$1 i start end total=0
  for ((i = 0; i < 3; i++)); do "$program" >/dev/null 2>&1; done
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1
    end=$(date +%s%N)
    total=$((total + end - start))
  done
  awk -v t="$total" -v n="$runs" 'BEGIN { printf "%.1f", t / n / 1e6 }'
}

floor_ms=$(mean_ms "$floor")
launcher_ms=$(mean_ms "$launcher")
echo "floor:    $floor_ms ms (mean of $runs)"
echo "vmlaunch: $launcher_ms ms (mean of $runs)"
awk -v a="$launcher_ms" -v b="$floor_ms" 'BEGIN { printf "vmlaunch / floor = %.2f\n", a / b }'
