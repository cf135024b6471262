#!/usr/bin/env bash
# Makes the README's screenshot of the main window: builds the editor, starts it on the
# example script under a private X server (Xvfb), answers the opening information box,
# clicks a figure line so that the parameter editor shows it, and saves the window.
#   scripts/screenshot.sh [OUT.png]      (default docs/keleditor.png)
# SCREENSHOT_LINE_Y: the window-relative height of the line to click.
# Settings files go to a temporary folder (KEL_SETTINGS_DIR); yours are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/keleditor.png}
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
Xvfb "$disp" -screen 0 1280x800x24 >/dev/null 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null || true; rm -rf "$settings"' EXIT
sleep 1
DISPLAY=$disp KEL_SETTINGS_DIR=$settings ASAN_OPTIONS=detect_leaks=0 "./$build/keleditor" "$PWD/examples/sample.kel" \
  >"$settings/keleditor.log" 2>&1 & ppid=$!
trap 'kill $ppid $xpid 2>/dev/null || true; rm -rf "$settings"' EXIT
export DISPLAY=$disp
# The information box "[...]をOpenします" comes first; Enter answers it.
timeout 30 xdotool search --sync --onlyvisible --name "Open File" >/dev/null
sleep 1
xdotool key Return
win=$(timeout 30 xdotool search --sync --onlyvisible --name "KEL Script Editor" | head -n 1)
sleep 1
# Click the line of the first circle, so that the parameter editor shows a figure.
xdotool mousemove --window "$win" 60 "${SCREENSHOT_LINE_Y:-330}" click 1
sleep 1
mkdir -p "$(dirname "$out")"
import -window "$win" "$out"
echo "$out"
