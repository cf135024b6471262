#!/usr/bin/env bash
# GPX import of a 100,000-point track with the kel command line, beside GPSBabel converting
# the same file to unicsv (GPSBabel is installed for this comparison only; -t makes it
# convert the tracks, which it leaves out otherwise), and the GeoJSON export and import of
# the script that import writes.
#   bench/gpx_bench.sh [N]          (KEL_BENCH_BUILD=dir to build elsewhere than build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
KEL_WITH_BENCH=1 bash scripts/install-deps.sh
build=${KEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEL_BENCH=ON -DKEL_WERROR=OFF >/dev/null
cmake --build "$build" --target kel >/dev/null
mkdir -p bench/out
n=${1:-100000}
gpx=bench/out/track100k.gpx
kel=bench/out/track100k-gpx.kel
json=bench/out/track100k.geojson

# One track of n points, one segment per 5,000 points, a point every 10 s moving about
# 0.3" north and 0.4" east, with elevation and time as GPS loggers write them.
awk -v n="$n" 'BEGIN {
  print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
  print "<gpx version=\"1.1\" creator=\"bench\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
  print "<trk><name>bench</name><trkseg>"
  for (i = 0; i < n; i++) {
    if (i > 0 && i % 5000 == 0) print "</trkseg><trkseg>"
    lat = 35 + (i * 31 / 3 % 3600000) / 360000; lon = 139 + (i * 41 / 3 % 3600000) / 360000
    t = i * 10; d = 1 + int(t / 86400) % 28; s = t % 86400
    printf "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele><time>2000-06-%02dT%02d:%02d:%02dZ</time></trkpt>\n",
      lat, lon, 10 + i % 50, d, int(s / 3600), int(s % 3600 / 60), s % 60
  }
  print "</trkseg></trk></gpx>"
}' > "$gpx"
ls -l "$gpx"

"$build/kel" gpx-import "$gpx" "$kel"
"$build/kel" geojson-export "$kel" "$json"
gpsbabel -t -i gpx -f "$gpx" -o unicsv -F bench/out/track100k.csv
echo "track points in: $(grep -c '<trkpt' "$gpx"), GPSBabel rows: $(($(wc -l < bench/out/track100k.csv) - 1))"
hyperfine --warmup 1 --runs 5 -N \
  "gpsbabel -t -i gpx -f $gpx -o unicsv -F bench/out/track100k.csv" \
  "$build/kel gpx-import $gpx $kel" \
  "$build/kel gpx-export $kel bench/out/track100k-back.gpx" \
  "$build/kel geojson-export $kel $json" \
  "$build/kel geojson-import $json bench/out/track100k-json.kel"
