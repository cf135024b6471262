#!/usr/bin/env bash
# Reading and saving a script of 100,000 figure commands, beside iconv over the same file,
# and the peak memory of holding it and of a lump input and a sort over it.
#   bench/read_bench.sh [N]        (KEL_BENCH_RUNS: hyperfine runs, default 10)
#
# Prints, besides hyperfine's own table:
#   reading: read_script / iconv -f CP932 -t UTF-8             (aim <= 1.5)
#   saving:  kel save / (iconv -f UTF-8 -t CP932 + read_script) (aim <= 1.5)
#   memory:  kel lump and kel sort / kel holding the script     (aim <= 1.5)
# Times are compared twice: by the median wall-clock time and by the mean CPU time
# (user + system), which other work on the machine disturbs far less.
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
# The encoder's input: the same script as UTF-8.
utf8=bench/out/script100k.utf8.txt
iconv -f CP932 -t UTF-8 "$file" -o "$utf8"
# A save syncs its file to the disk; on a RAM disk that costs nothing, so the times compare
# the work of the programs, not the disk's.
scratch=bench/out
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
saved=$scratch/kel-read-bench-saved.kel
csv=bench/out/read_bench.csv
hyperfine --warmup 2 --runs "${KEL_BENCH_RUNS:-10}" -N --export-csv "$csv" \
  "iconv -f CP932 -t UTF-8 $file -o /dev/null" \
  "./build-bench/bench/read_script $file" \
  "iconv -f UTF-8 -t CP932 $utf8 -o /dev/null" \
  "./build-bench/kel save $file $saved"
cmp "$file" "$saved" && echo "saved file identical to input"
rm -f "$saved"

# Rows of the CSV (after its header): 1 iconv decode, 2 read_script, 3 iconv encode,
# 4 kel save; columns: command,mean,stddev,median,user,system,min,max (seconds).
awk -F, 'NR > 1 { wall[NR - 1] = $4; cpu[NR - 1] = $5 + $6 }
  END {
    printf "\nreading: read_script %.1f ms / iconv decode %.1f ms = %.2f (median wall);", wall[2] * 1000, wall[1] * 1000, wall[2] / wall[1]
    printf " CPU %.1f ms / %.1f ms = %.2f   (aim <= 1.5)\n", cpu[2] * 1000, cpu[1] * 1000, cpu[2] / cpu[1]
    printf "saving:  kel save %.1f ms / (iconv encode %.1f ms + read_script %.1f ms) = %.2f (median wall);", wall[4] * 1000, wall[3] * 1000, wall[2] * 1000, wall[4] / (wall[3] + wall[2])
    printf " CPU %.1f ms / (%.1f + %.1f) ms = %.2f   (aim <= 1.5)\n", cpu[4] * 1000, cpu[3] * 1000, cpu[2] * 1000, cpu[4] / (cpu[3] + cpu[2])
    printf "         kel save / (iconv encode + iconv decode) = %.2f (median wall), %.2f (CPU)\n", wall[4] / (wall[3] + wall[1]), cpu[4] / (cpu[3] + cpu[1])
  }' "$csv"

# Peak memory (maximum resident set size, /usr/bin/time) of holding the script as the
# editor does (kel list opens it: the command list and the text store), of reading it
# alone (read_script) and of a lump input and a sort over every line.
peak_kb() {
  local log
  log=$(mktemp)
  /usr/bin/time -f '%M' -o "$log" "$@" >/dev/null
  cat "$log"
  rm -f "$log"
}
hold=$(peak_kb ./build-bench/kel list "$file")
read_alone=$(peak_kb ./build-bench/bench/read_script "$file")
lump=$(peak_kb ./build-bench/kel lump "$file" 'str=Join(oid,gid)' -o "$scratch/kel-read-bench-lump.kel")
sort=$(peak_kb ./build-bench/kel sort "$file" oid --down -o "$scratch/kel-read-bench-sort.kel")
rm -f "$scratch/kel-read-bench-lump.kel" "$scratch/kel-read-bench-sort.kel"
awk -v hold="$hold" -v read_alone="$read_alone" -v lump="$lump" -v sort="$sort" 'BEGIN {
  printf "memory:  holding the script (kel list) %.1f MB, read_script %.1f MB\n", hold / 1024, read_alone / 1024
  printf "         kel lump %.1f MB = %.2f x holding;  kel sort %.1f MB = %.2f x holding   (aim <= 1.5)\n", lump / 1024, lump / hold, sort / 1024, sort / hold
}'
