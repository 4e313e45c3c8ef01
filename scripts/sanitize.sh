#!/usr/bin/env bash
# The unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer. The window is
# left out, which also proves that everything else builds without Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEX_BUILD_TESTS=ON \
  -DQUORVEX_SANITIZE=ON -DQUORVEX_GUI=OFF
cmake --build build-sanitize -j"$(nproc)"
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
