#!/usr/bin/env bash
# Set up, build with warnings as errors, and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGYRENDA_WERROR=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure --timeout 900
