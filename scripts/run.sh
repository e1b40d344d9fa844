#!/usr/bin/env bash
# Installs the packages, builds the release preset and starts the reference host quelmar with the
# Kalmeno plug-in and the demo scene, on the user's X display. Extra arguments go to quelmar
# (see: build/release/stage/bin/quelmar --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
cd build/release/stage/bin
scene=../Kalmeno/demo/demo.xml
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set), so the Kalmeno window cannot be shown here."
  echo "Start it under a virtual display instead:"
  echo "  cd $PWD && xvfb-run -a -s '-screen 0 1920x1080x24' ./quelmar --scene $scene $*"
  exit 1
fi
# bin/ is the working directory: the plug-in's paths (../Kalmeno, ./MTM) are relative to it.
exec ./quelmar --scene "$scene" "$@"
