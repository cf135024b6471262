#!/usr/bin/env bash
# Waypoint+ interchange on a GPS file of 100,000 track points: import it into a script and
# export that script again with the kel command line, beside iconv over the same file.
#   bench/wpt_bench.sh [N]          (KEL_BENCH_BUILD=dir to build elsewhere than build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=${KEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" --target kel >/dev/null
mkdir -p bench/out
n=${1:-100000}
txt=bench/out/track100k.txt
kel=bench/out/track100k.kel
back=bench/out/track100k-back.txt

# Tracks of 5,000 points (each split into two line figures on import), a point every 10 s
# moving about 0.3" north and 0.4" east, in DMS with CR LF.
awk -v n="$n" 'BEGIN {
  ORS = "\r\n"
  print "Datum,Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664"
  for (i = 0; i < n; i++) {
    lat = 35 * 360000 + int(i * 31 / 3) % 3600000; lon = 139 * 360000 + int(i * 41 / 3) % 3600000
    t = i * 10; d = 1 + int(t / 86400) % 28; s = t % 86400
    printf "TP,DMS, %d.%02d%04d, %d.%02d%04d,06/%02d/2000,%02d:%02d:%02d,%d%s",
      int(lat / 360000), int(lat % 360000 / 6000), lat % 6000,
      int(lon / 360000), int(lon % 360000 / 6000), lon % 6000,
      d, int(s / 3600), int(s % 3600 / 60), s % 60, (i % 5000 == 0), ORS
  }
}' > "$txt"
ls -l "$txt"

"$build/kel" wpt-import "$txt" "$kel"
"$build/kel" wpt-export "$kel" "$back" --now 2000-06-21T12:00:00
echo "track points in: $(grep -c '^TP' "$txt"), out: $(grep -c '^TP' "$back")" \
     "(each split track repeats its joining point)"
hyperfine --warmup 1 --runs 5 -N \
  "iconv -f CP932 -t UTF-8 $txt -o /dev/null" \
  "$build/kel wpt-import $txt $kel" \
  "$build/kel wpt-export $kel $back --now 2000-06-21T12:00:00"
