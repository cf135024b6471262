#!/usr/bin/env bash
# The built-in map: base-map paints at four scales, "Refresh Figures" on a script of
# 100,000 figures, and frames per second while dragging (Release build, offscreen).
#   bench/map_bench.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=build-map-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" -j2 --target gen_script map_bench > "$build/build.log" 2>&1 ||
  { tail -30 "$build/build.log"; exit 1; }
mkdir -p bench/out
file=bench/out/map100k.kel
"./$build/bench/gen_script" "$file" "${1:-100000}"
QT_QPA_PLATFORM=offscreen "./$build/bench/map_bench" "$file"
