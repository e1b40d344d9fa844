#!/usr/bin/env bash
# Installs the packages, builds the release and sanitizer presets, runs every test of both,
# then gives each fuzz target (.mtm files, settings, scene files, meshes) a short run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in release asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
done
# One X display serves the whole run: OpenGL widgets need GLX (Mesa's llvmpipe). -noreset: an X
# server that starts afresh whenever its last client leaves refuses a test that connects just then.
for preset in release asan; do
  xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest --preset "$preset"
done
if [ -f tests/fuzz/CMakeLists.txt ]; then
  cmake --preset fuzz
  cmake --build --preset fuzz
  bash tests/fuzz/run.sh build/fuzz 25
fi
