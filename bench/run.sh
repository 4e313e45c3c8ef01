#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and runs each with 5 repetitions, interleaved so
# that designs compared in one binary meet the same load, reporting mean, median and spread. The
# drawings are generated once into $QUORVEX_BENCH_DIR (default /tmp/quorvex-bench), outside the
# repository. Extra arguments go to every benchmark binary,
# e.g. bench/run.sh --benchmark_filter=walk
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORVEX_BUILD_TESTS=OFF \
  -DQUORVEX_BUILD_BENCH=ON
cmake --build build-bench -j"$(nproc)"
for binary in build-bench/bin/*_bench; do
  echo "== $(basename "$binary")"
  "$binary" --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true "$@"
done
