#!/usr/bin/env bash
# Set up, build and start the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGYRENDA_BUILD_TESTS=OFF
cmake --build build/release --target gyrenda gyrenda-cli
exec build/release/gyrenda "$@"
