#!/usr/bin/env bash
# Spatial selection over a script of 100,000 figures: the operations timed inside the
# program, then the whole `kel spatial` command (reading the file included) beside
# `kel list` (reading alone) with hyperfine.
#   bench/spatial_bench.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=build-spatial-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" -j2 --target gen_script spatial_bench kel > "$build/build.log" 2>&1 ||
  { tail -30 "$build/build.log"; exit 1; }
mkdir -p bench/out
file=bench/out/spatial100k.kel
"./$build/bench/gen_script" "$file" "${1:-100000}"
ls -l "$file"
"./$build/bench/spatial_bench" "$file" 5
# Line 4 is the first figure of the generated script (a point); line 6 its first circle.
hyperfine --warmup 1 --runs 5 -N \
  "./$build/kel list $file" \
  "./$build/kel spatial $file FindObject 4" \
  "./$build/kel spatial $file FindExterior 6" \
  "./$build/kel spatial $file Nearest 4"
