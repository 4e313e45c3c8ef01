#!/usr/bin/env bash
# quorvex-cli side by side with the speed prototype of the conversion walk, on the prototype's
# three drawings. Builds the prototype from $QUORVEX_YARDSTICK (default ../shared/yardstick
# beside the repository) into a temporary folder, generates the drawings into
# $QUORVEX_YARDSTICK_DIR (default /tmp/quorvex-yardstick) when they are missing, checks that
# both write the same bytes, then times them with hyperfine in rounds of one run each, each
# writing a fresh file every run. Prints, per drawing and command, the median time and MB/s, the median of
# the paired ratios to the prototype, and quorvex-cli's peak memory.
#   bench/yardstick.sh [RUNS]        RUNS per command and drawing, at least 5 (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-10}
if [ "$runs" -lt 5 ]; then
  echo "yardstick.sh: at least 5 runs" >&2
  exit 2
fi
yardstick=${QUORVEX_YARDSTICK:-$root/../shared/yardstick}
drawings=${QUORVEX_YARDSTICK_DIR:-/tmp/quorvex-yardstick}
if [ ! -f "$yardstick/proto_walk.cpp" ]; then
  echo "yardstick.sh: no prototype in $yardstick (set QUORVEX_YARDSTICK)" >&2
  exit 2
fi

# The timer, GNU time for the peak memory, and ezdxf for the prototype's drawing generator.
bash scripts/deps.sh hyperfine time python3-ezdxf

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORVEX_BUILD_TESTS=OFF \
  -DQUORVEX_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target quorvex-cli >/dev/null
cli=$root/build-bench/bin/quorvex-cli

work=$(mktemp -d /tmp/quorvex-yardstick-run.XXXXXX)
trap 'rm -rf "$work"' EXIT
g++ -O2 -std=c++17 "$yardstick/proto_walk.cpp" -o "$work/proto_walk"
mkdir -p "$drawings" "$work/q"
for name in survey mixed r12; do
  [ -f "$drawings/$name.dxf" ] || { /usr/bin/python3 "$yardstick/gen_dxf.py" "$drawings"; break; }
done

# The prototype's point set, as x,y,z with 3 decimals and CR LF.
kinds=points,circles,arcs.center,ellipses,lines.start,lines.end,mtext,text,polylines-2d
kinds+=,polylines-3d,splines.control,splines.fit,faces.1,faces.2,faces.3,faces.4,blocks
options=(--kinds "$kinds" --fields x,y,z --decimals 3 --separator comma --no-header
         -o "$work/q" --log "$work/q/report.txt")

# The commands compared with the prototype; more can be added, as "label|arguments".
contenders=("quorvex-cli -j1|-q -j1")

for name in survey mixed r12; do
  dxf=$drawings/$name.dxf
  "$work/proto_walk" --load=mmap --fmt=exact --crlf "$dxf" "$work/proto.txt" 2>/dev/null
  commands=("$work/proto_walk --load=mmap --fmt=exact --crlf $dxf $work/proto.txt")
  names=(prototype)
  for contender in "${contenders[@]}"; do
    label=${contender%%|*}
    arguments=${contender#*|}
    # shellcheck disable=SC2086
    "$cli" $arguments "${options[@]}" "$dxf" >/dev/null
    if ! cmp -s "$work/q/$name.txt" "$work/proto.txt"; then
      echo "yardstick.sh: $label does not write the prototype's bytes for $name.dxf" >&2
      exit 1
    fi
    commands+=("$cli $arguments ${options[*]} $dxf")
    names+=("$label")
  done
  # One run of each command per round, the order turned round every other round, so that the
  # runs of a pair meet nearly the same load on a shared machine.
  for round in $(seq "$runs"); do
    order=("${!commands[@]}")
    if [ $((round % 2)) -eq 0 ]; then
      order=($(printf '%s\n' "${order[@]}" | tac))
    fi
    for i in "${order[@]}"; do
      hyperfine -N --style none --runs 1 --prepare "rm -f $work/q/$name.txt $work/proto.txt" \
        --export-json "$work/$name.$i.$round.json" -n "${names[$i]}" "${commands[$i]}" >/dev/null
    done
  done
  rm -f "$work/q/$name.txt"
  peak_kb=$(/usr/bin/time -f %M "$cli" -q -j1 "${options[@]}" "$dxf" 2>&1 >/dev/null | tail -1)
  python3 - "$work" "$name" "${#commands[@]}" "$runs" "$(stat -c %s "$dxf")" "$peak_kb" <<'EOF'
import json, statistics, sys
work, name, count, runs, size, peak_kb = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])
def run(i, r):
    return json.load(open(f"{work}/{name}.{i}.{r}.json"))["results"][0]
labels = [run(i, 1)["command"] for i in range(count)]
times = [[run(i, r)["times"][0] for r in range(1, runs + 1)] for i in range(count)]
print(f"{name}.dxf, {size / 1e6:.1f} MB, {runs} runs each, medians:")
for label, own in zip(labels, times):
    median = statistics.median(own)
    line = f"  {label:<16} {median:7.3f} s {size / 1e6 / median:7.1f} MB/s"
    if own is not times[0]:
        ratio = statistics.median(t / p for t, p in zip(own, times[0]))
        line += f"   {ratio:.2f} x the prototype's time (paired)"
    print(line)
print(f"  quorvex-cli -j1 peak memory {peak_kb / 1024:.0f} MiB")
EOF
done
