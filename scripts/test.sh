#!/usr/bin/env bash
# Builds everything with warnings as errors, runs every test, then checks the format and gives
# our sources a short clang-tidy pass (.clang-tidy) over the build's compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVEX_BUILD_TESTS=ON -DQUORVEX_BUILD_BENCH=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
clang-format --dry-run --Werror $(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
# run-clang-tidy says for every file the command it ran and how many warnings clang-tidy counted
# in headers it was not asked about; only its findings are kept on the screen, without the colours
# it always asks for, which would hide those lines from the filter.
run-clang-tidy -p build -j"$(nproc)" -quiet "$(pwd)/src/" 2>&1 | sed -E $'s/\e\\[[0-9;]*m//g' |
  { grep -Ev '^(clang-tidy(-[0-9]+)? .*|[0-9]+ warnings? generated\.)$' || true; }
