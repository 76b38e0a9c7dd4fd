#!/usr/bin/env bash
# Times the index window showing a folder of many files against the floor (read the names,
# sort them without regard to case) on the same folder, in the same run, and prints the
# medians and their ratios.
#   bench/indexer/run.sh [FILES] [RUNS] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
files=${1:-100000}
runs=${2:-7}
build=${3:-build-bench}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVM_BUILD_BENCH=ON \
    -DVM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel 2 --target index_floor index_show_bench | grep -E "error|FAILED" || true

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/big"
# Names of mixed case, so the case-insensitive order has work to do.
awk -v n="$files" 'BEGIN { split("alpha Beta GAMMA delta Echo", w, " ");
    for (i = 0; i < n; i++) printf "%s %06d take %d.wav\n", w[i % 5 + 1], (i * 7919) % n, i % 13 }' \
    | (cd "$work/big" && tr '\n' '\0' | xargs -0 touch)
echo "folder: $(find "$work/big" -maxdepth 1 -type f | wc -l) files"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Warm the page cache once; time the floor before and after the window, so a change in the
# machine's load during the run shows in both.
"$build/bin/index_floor" "$work/big" 1 >/dev/null
before=$("$build/bin/index_floor" "$work/big" "$runs")
shown=$(QT_QPA_PLATFORM=offscreen "$build/bin/index_show_bench" "$work/big" "$runs" 2>/dev/null)
after=$("$build/bin/index_floor" "$work/big" "$runs")
floor=$(printf '%s\n%s\n' "$before" "$after" | awk '{ print $1 }' | median)
window=$(awk '{ print $1 }' <<<"$shown" | median)
single=$(awk '{ print $2 }' <<<"$shown" | median)
reads=$(awk '{ print $3 }' <<<"$shown" | sort -u | tr '\n' ' ')

echo "floor (readdir + case-insensitive sort):  $floor ms"
echo "one file list, read and painted:          $single ms  ($(awk -v a="$single" -v b="$floor" 'BEGIN { printf "%.2f", a / b }')x floor)"
echo "window in layout 6, six lists painted:    $window ms  ($(awk -v a="$window" -v b="$floor" 'BEGIN { printf "%.2f", a / b }')x floor)"
echo "folder reads per change of Dir1:          $reads"
