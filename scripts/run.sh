#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the station and starts it from its program folder (build/).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target tunnora tunnora-player skin
exec ./build/tunnora "$@"
