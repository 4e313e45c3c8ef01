#!/usr/bin/env bash
# Builds the converter and converts the bundled sample drawings with the default configuration
# into the folder "samples-output", then prints the summary and where the report is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
./build/bin/quorvex-cli --output samples-output samples
