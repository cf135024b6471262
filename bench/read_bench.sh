#!/usr/bin/env bash
# Reading and saving a script of 100,000 figure commands, beside iconv over the same file.
#   bench/read_bench.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build build-bench --target gen_script read_script kel > build-bench/build.log 2>&1 ||
  { tail -30 build-bench/build.log; exit 1; }
mkdir -p bench/out
file=bench/out/script100k.kel
./build-bench/bench/gen_script "$file" "${1:-100000}"
ls -l "$file"
./build-bench/bench/read_script "$file"
hyperfine --warmup 2 --runs 10 -N \
  "iconv -f CP932 -t UTF-8 $file -o /dev/null" \
  "./build-bench/bench/read_script $file" \
  "./build-bench/kel save $file bench/out/saved.kel"
cmp "$file" bench/out/saved.kel && echo "saved file identical to input"
