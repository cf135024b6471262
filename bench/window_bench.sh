#!/usr/bin/env bash
# The main window (offscreen) over a script of 100,000 figure commands: open to first paint,
# scrolling, select-all, select-all + lump input and appending the file again, beside `kel list` and `kel lump` of the
# same file.
#   bench/window_bench.sh [N]      (KEL_BENCH_BUILD=dir to build elsewhere than build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=${KEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" --target gen_script window_bench kel > "$build/window-build.log" 2>&1 ||
  { tail -30 "$build/window-build.log"; exit 1; }
mkdir -p bench/out
file=bench/out/figures${1:-100000}.kel
"./$build/bench/gen_script" "$file" "${1:-100000}"
QT_QPA_PLATFORM=offscreen "./$build/bench/window_bench" "$file"
hyperfine --warmup 1 --runs 5 -N "./$build/kel list $file" \
  "./$build/kel lump $file str=Join(oid,gid) -o bench/out/window-lump.kel"
