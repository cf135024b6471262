#!/usr/bin/env bash
# Undo and redo of a lump input over a script of 100,000 figures in the main window
# (offscreen, Release build), and the cost of the recovery copy.
#   bench/undo_bench.sh [N]      (KEL_BENCH_BUILD=dir to build elsewhere than build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=${KEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" --target gen_script undo_bench > "$build/undo-build.log" 2>&1 ||
  { tail -30 "$build/undo-build.log"; exit 1; }
mkdir -p bench/out
big=bench/out/figures${1:-100000}.kel
"./$build/bench/gen_script" "$big" "${1:-100000}"
"./$build/bench/undo_bench" "$big"
