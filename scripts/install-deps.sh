#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need; quick when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libx11-dev libxi-dev libxtst-dev libgl-dev libegl-dev libgl1-mesa-dri
  libjpeg62-turbo-dev libogg-dev libvorbis-dev
  libfreetype-dev fonts-dejavu-core
  xvfb xdotool xauth x11-apps x11-utils imagemagick openbox i3-wm
  libpugixml-dev libtinyxml2-dev libjpeg-turbo-progs vorbis-tools
  locales
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
