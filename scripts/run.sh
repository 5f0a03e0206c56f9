#!/usr/bin/env bash
# Builds the program into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELMAR_TESTS=OFF >/dev/null
cmake --build build --target quelmar
exec ./build/quelmar
