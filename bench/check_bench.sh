#!/usr/bin/env bash
# The script checker over a script of 100,000 figure commands (Release build), beside reading
# the same file alone (read_script) and iconv over it.
#   bench/check_bench.sh [N]      (KEL_BENCH_BUILD=dir to build elsewhere than build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=${KEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" --target gen_script read_script kel > "$build/check-build.log" 2>&1 ||
  { tail -30 "$build/check-build.log"; exit 1; }
mkdir -p bench/out
file=bench/out/check${1:-100000}.kel
"./$build/bench/gen_script" "$file" "${1:-100000}"
ls -l "$file"
"./$build/kel" check "$file" | tail -3 || true
hyperfine --warmup 2 --runs 10 -N -i \
  "iconv -f CP932 -t UTF-8 $file -o /dev/null" \
  "./$build/bench/read_script $file" \
  "./$build/kel check $file"
