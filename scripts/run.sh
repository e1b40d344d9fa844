#!/usr/bin/env bash
# Installs the packages, builds the release preset and starts the main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
cd build/release/stage/bin
exec ./mtm info "$OLDPWD/data/samples/cube.mtm"
