#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the station and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUNNORA_BUILD_TESTS=OFF -DTUNNORA_BUILD_BENCH=OFF
cmake --build build -j "$(nproc)"
exec ./build/tunnora "$@"
