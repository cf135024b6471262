#!/usr/bin/env bash
# Workbook lookups in a sheet of 100,000 rows (Release build): the first lookup and 10,000
# further ones in an .xlsx and an .ods file, then whole `kel eval` runs of one lookup beside
# unzip inflating the same file to /dev/null.
#   bench/workbook_bench.sh [N] [M]      (KEL_BENCH_BUILD=dir to build elsewhere than build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=${KEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" --target workbook_bench kel > "$build/workbook-build.log" 2>&1 ||
  { tail -30 "$build/workbook-build.log"; exit 1; }
mkdir -p bench/out
n=${1:-100000}
"./$build/bench/workbook_bench" bench/out "$n" "${2:-10000}"
last=$(printf 'K%06d' "$n")
for f in xlsx ods; do
  hyperfine --warmup 1 --runs 5 -N \
    "unzip -p bench/out/rows$n.$f" \
    "./$build/kel eval examples/sample.kel 14 Excel(bench/out/rows$n.$f,Big,(A:C),3,$last)"
done
