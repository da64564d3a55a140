#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan (without the benchmarks) and runs the whole suite there, as the README's
# commands do. Run after scripts/setup.sh (or scripts/test.sh), which installs the
# packages.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVADIDAZID_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=address,undefined -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan -j"$jobs"
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs" --timeout 900
