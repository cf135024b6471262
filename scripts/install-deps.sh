#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need, when they
# are missing. Non-interactive; does nothing when everything is there.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libicu-dev
  libgeographiclib-dev
  libquazip1-qt6-dev
  xvfb xauth
  ccache lld
  clang libclang-rt-14-dev
  fonts-ipafont-gothic
  libnetcdf-dev gmt-gshhg-low gmt-gshhg-high gmt-gshhg-full
)
if [ "${KEL_WITH_BENCH:-0}" = 1 ]; then
  packages+=(hyperfine libbenchmark-dev unzip gpsbabel time)
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" != 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
