#!/usr/bin/env bash
# Conditions and bulk operations over a script of 100,000 figures (Release build): condition
# select "oid=1*", lump input "str=Join(oid,gid)", sort by oid, and "str=Rank(oid,1)" as a
# lump input over 10,000 figures.
#   bench/formula_bench.sh [N] [M]      (KEL_BENCH_BUILD=dir to build elsewhere than build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=${KEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" --target gen_script formula_bench > "$build/formula-build.log" 2>&1 ||
  { tail -30 "$build/formula-build.log"; exit 1; }
mkdir -p bench/out
big=bench/out/figures${1:-100000}.kel
small=bench/out/figures${2:-10000}.kel
"./$build/bench/gen_script" "$big" "${1:-100000}"
"./$build/bench/gen_script" "$small" "${2:-10000}"
"./$build/bench/formula_bench" "$big" "$small"
