#!/usr/bin/env bash
# Makes the README's picture of the position editor: an area being drawn by clicking the
# built-in map, with the editor's window beside the main window, under a private X server.
#   scripts/screenshot-posedit.sh [OUT.png [--getpos | --getpos-ok]]  (default docs/posedit.png)
# --getpos: "Interior Object" with a rect drawn in "GetPos" instead; --getpos-ok: after its OK.
# KEL_BUILD: the build folder to use (default build-test). Settings go to a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/posedit.png}
build=${KEL_BUILD:-build-test}
need=()
command -v Xvfb >/dev/null || need+=(xvfb)
{ command -v import >/dev/null && import -version >/dev/null 2>&1; } || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=(); [ "$(id -u)" = 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
cmake --build "$build" --target kel_posedit_demo >/dev/null
work=$(mktemp -d)
disp=":$((100 + RANDOM % 400))"
Xvfb "$disp" -screen 0 1920x1000x24 >/dev/null 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
DISPLAY=$disp ASAN_OPTIONS=detect_leaks=0 "./$build/kel_posedit_demo" "$work" ${2:-} >"$work/demo.log" 2>&1 & ppid=$!
trap 'kill $ppid $xpid 2>/dev/null || true; rm -rf "$work"' EXIT
# The demo opens the editor after half a second and clicks four points, one every half
# second; the base map reads its finer levels meanwhile.
sleep 8
mkdir -p "$(dirname "$out")"
DISPLAY=$disp import -window root -crop 1860x905+0+0 +repage "$out"
echo "$out"
