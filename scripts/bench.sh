#!/usr/bin/env bash
# Builds the benchmark (Release, into build-bench/) and prints the table of the lanes' operations
# against bare SQLite, with the goals met or not, then the office merge and the subscriber-file
# import against a bare bulk insert. Not part of scripts/test.sh.
#   bash scripts/bench.sh                       # files under /var/tmp
#   BENCH_DIR=/some/disk bash scripts/bench.sh  # elsewhere on a real disk (never tmpfs)
#   bash scripts/bench.sh --benchmark_repetitions=25
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
cmake --build build-bench --target quelmar_bench quelmar_bench_mescla >&2
# The lane windows are shown offscreen; the platform's notes about window hints are noise here.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
./build-bench/quelmar_bench --pasta="$pasta" "$@" 2> >(grep -v 'propagateSizeHints' >&2)
# The office merge and the subscriber-file import, beside the lanes.
./build-bench/quelmar_bench_mescla --pasta="$pasta"
