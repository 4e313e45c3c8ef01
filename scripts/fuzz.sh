#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# in build-fuzz, then runs each for SECONDS (default 60) on a copy of its corpus, so that the
# corpus in the repository does not grow. Fails on the first finding; the input that caused it is
# kept in build-fuzz/findings/<target>/ (add it to fuzz/corpus/<name>/ once fixed).
#   scripts/fuzz.sh [SECONDS] [TARGET...]      TARGET: e.g. convert_fuzz (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
bash scripts/deps.sh

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEX_BUILD_TESTS=OFF -DQUORVEX_BUILD_FUZZ=ON -DQUORVEX_GUI=OFF
cmake --build build-fuzz -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
  name="${target%_fuzz}"
  corpus="$work/$name"
  findings="build-fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp -R "fuzz/corpus/$name/." "$corpus/"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/")
  [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
  echo "== $target: ${seconds}s"
  # The fuzzer's running commentary goes to a log; its closing figures, or on a finding the
  # end of the log with the report, are printed.
  log="$findings/fuzz.log"
  if "build-fuzz/bin/$target" "${options[@]}" "$corpus" > "$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' \
      "$log" || true
  else
    tail -n 60 "$log"
    echo "$target: finding kept in $findings/" >&2
    exit 1
  fi
done
