#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need (run as root).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev libqt5opengl5-dev qttranslations5-l10n
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libglfw3-dev libx11-dev libxrandr-dev libpng-dev
  libassimp-dev libembree-dev libtbb-dev libeigen3-dev libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-apps xdotool fonts-dejavu-core
  gdb
)
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: run as root (apt-get install needs it)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${packages[@]}"
