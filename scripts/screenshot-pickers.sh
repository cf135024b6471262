#!/usr/bin/env bash
# Makes the README's pictures of the value pickers and the legend: starts the editor on
# examples/kamakura.kel (the seven Waypoint+ groups) under a private X server (Xvfb), clicks
# the group "RoutePoint", takes the colour dialog's preset for `linergb` (Enter), opens the
# `areastyle` list over its value box and saves docs/picker.png; then fills the legend with
# View > Set Legend > Set All Group to Leg. and saves docs/legend.png.
#   scripts/screenshot-pickers.sh [OUTDIR]      (default docs)
# The click positions are those of a fresh start at 1600x1000 with the standard fonts.
# Settings files go to a temporary folder (KEL_SETTINGS_DIR); yours are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."
outdir=${1:-docs}
bash scripts/install-deps.sh
need=()
command -v xdotool >/dev/null || need+=(xdotool)
{ command -v import >/dev/null && import -version >/dev/null 2>&1; } || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=(); [ "$(id -u)" = 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
build=${KEL_BUILD:-build}   # the build ./run makes; KEL_BUILD=build-test reuses the test build
if [ "$build" = build ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target keleditor >/dev/null
settings=$(mktemp -d)
disp=":$((100 + RANDOM % 400))"
Xvfb "$disp" -screen 0 1600x1000x24 >/dev/null 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null || true; rm -rf "$settings"' EXIT
sleep 1
export DISPLAY=$disp
KEL_SETTINGS_DIR=$settings ASAN_OPTIONS=detect_leaks=0 "./$build/keleditor" "$PWD/examples/kamakura.kel" \
  >"$settings/keleditor.log" 2>&1 & ppid=$!
trap 'kill $ppid $xpid 2>/dev/null || true; rm -rf "$settings"' EXIT
# The information box "[...]をOpenします" comes first; Enter answers it.
timeout 30 xdotool search --sync --onlyvisible --name "Open File" >/dev/null
sleep 1
xdotool key Return
win=$(timeout 30 xdotool search --sync --onlyvisible --name "KEL Script Editor" | head -n 1)
sleep 1
step() { "$@"; sleep 1; }
step xdotool mousemove --window "$win" 35 185 click 1    # the group 5133 "RoutePoint"
step xdotool mousemove --window "$win" 975 167 click 1   # Edit of linergb: the colour dialog
step xdotool key Return                                  # its preset colour
step xdotool mousemove --window "$win" 975 287 click 1   # Edit of areastyle: ParList
step xdotool key F4                                      # the list's items
mkdir -p "$outdir"
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$outdir/picker.png"
step xdotool key Escape
step xdotool key alt+v s a                               # Set All Group to Leg.
import -window root -crop "1600x${HEIGHT}+0+${Y}" +repage "$outdir/legend.png"
echo "$outdir/picker.png $outdir/legend.png"
