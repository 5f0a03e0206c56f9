#!/usr/bin/env bash
# Builds the benchmark (Release, into build-bench/) and prints the table of the lanes' operations
# against bare SQLite, with the goals met or not, then the office merge and the subscriber-file
# import against a bare bulk insert, the ticket counter's largest moves, and the reports against
# the bare query. Not part of scripts/test.sh.
#   bash scripts/bench.sh                       # files under /var/tmp
#   BENCH_DIR=/some/disk bash scripts/bench.sh  # elsewhere on a real disk (never tmpfs)
#   bash scripts/bench.sh --benchmark_repetitions=25
#   bash scripts/bench.sh --relatorios          # only the reports' lines
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
pasta="${BENCH_DIR:-/var/tmp}"
if [ "$(stat -f -c %T "$pasta")" = "tmpfs" ]; then
  echo "$pasta is in memory (tmpfs): the benchmark measures syncs to a real disk." >&2
  exit 2
fi
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-4}"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELMAR_TESTS=OFF \
  -DQUELMAR_BENCH=ON >/dev/null
cmake --build build-bench --target quelmar_bench quelmar_bench_mescla quelmar_bench_relatorios \
  quelmar_bench_numeracao >&2
# The lane windows are shown offscreen; the platform's notes about window hints are noise here.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
# "--relatorios" runs only the reports' lines; every other argument goes to the lanes' benchmark.
if [ "${1:-}" = "--relatorios" ]; then exec ./build-bench/quelmar_bench_relatorios --pasta="$pasta"; fi
falhou=0
./build-bench/quelmar_bench --pasta="$pasta" "$@" 2> >(grep -v 'propagateSizeHints' >&2) || falhou=$?
# The office merge and the subscriber-file import, beside the lanes.
./build-bench/quelmar_bench_mescla --pasta="$pasta" || falhou=$?
# The ticket counter moved by "Alterar", forward and back, on a new and an old counter.
./build-bench/quelmar_bench_numeracao --pasta="$pasta" || falhou=$?
# The reports' lines (10,000, 100,000 and 1,000,000 exits).
./build-bench/quelmar_bench_relatorios --pasta="$pasta" || falhou=$?
exit "$falhou"
