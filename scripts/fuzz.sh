#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default 60)
# on a copy of its seed corpus. Usage: bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  sudo_if_needed apt-get update
  DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y --no-install-recommends clang libclang-rt-dev
fi
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGYRENDA_BUILD_FUZZERS=ON -DGYRENDA_BUILD_GUI=OFF -DGYRENDA_BUILD_TESTS=OFF -DGYRENDA_BUILD_BENCH=OFF
cmake --build build/fuzz
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for target in number_reader data_file validation; do
  cp -r "fuzz/corpus/$target" "$work/$target"
  echo "== fuzz_$target for ${seconds}s"
  build/fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "$work/$target" 2>&1 | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|property violated)' || true
  test "${PIPESTATUS[0]}" -eq 0
done
