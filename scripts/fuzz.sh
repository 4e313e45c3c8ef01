#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 60 seconds) on a
# copy of its corpus, so the corpus in the repository changes only when someone adds a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEX_BUILD_FUZZ=ON -DQUORVEX_BUILD_TESTS=OFF
cmake --build build-fuzz -j"$(nproc)"

run_fuzzer() {  # run_fuzzer TARGET CORPUS_FOLDER
  local work="build-fuzz/run/$1"
  rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
  cp -r "$2"/. "$work/corpus/"
  "build-fuzz/bin/$1" -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus"
}

run_fuzzer config_loader_fuzz fuzz/corpus/config
