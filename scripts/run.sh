#!/usr/bin/env bash
# Builds the program into build/, installs it into its own folder (QUELMAR_PASTA, by default
# ~/quelmar) and starts it there. The program keeps its data in that folder, so a clean build
# (build/ deleted, git clean) finds the same data at the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELMAR_TESTS=OFF -DQUELMAR_BENCH=OFF >/dev/null
cmake --build build --target quelmar
pasta="${QUELMAR_PASTA:-$HOME/quelmar}"
bash scripts/instala.sh build "$pasta"
echo "Quelmar instalado em $pasta; os dados ficam em $pasta/dados.mdb."
exec "$(realpath -m "$pasta")/quelmar"
