#!/usr/bin/env bash
# Starts the real program under Xvfb, with a window manager so that windows have their title bars,
# on copies of the sample drawings, and saves a picture of each tab, the progress window during a
# run, the folder dialog and the save prompt into docs/screenshots/, and the Configuration tab
# at 1280 x 800 with its preview. The clicks go to positions in
# the window as a first start lays it out (its minimum size, DejaVu fonts).
set -euo pipefail
cd "$(dirname "$0")/.."
# The folder tree shows what /tmp holds, so the pictures are taken with an empty /tmp of their own.
if [ -z "${QUORVEX_OWN_TMP:-}" ]; then
  exec env QUORVEX_OWN_TMP=1 unshare --mount --propagation private \
    bash -c 'mount -t tmpfs tmpfs /tmp && exec bash "$0" "$@"' "$0" "$@"
fi
bash scripts/deps.sh
extra=(openbox xdotool imagemagick)
missing=()
for p in "${extra[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVEX_BUILD_BENCH=ON
cmake --build build -j"$(nproc)" --target quorvex dxf_generate

out="$PWD/docs/screenshots"
# A short, fixed home folder, as the pictures show its path.
work=/tmp/quorvex-screenshots
rm -rf "$work"
trap 'rm -rf "$work"' EXIT
home="$work/surveyor"
mkdir -p "$out" "$home/Drawings" "$home/Large"
cp samples/*.dxf "$home/Drawings/"
build/bin/dxf_generate "$home/Large" contours:300 >/dev/null
export HOME="$home" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$home/.config"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QUORVEX_BIN="$PWD/build/bin/quorvex" OUT="$out" WORK="$work"

xvfb-run -a -s "-screen 0 1280x900x24" bash <<'SESSION'
set -euo pipefail
openbox >/dev/null 2>&1 &
sleep 1

window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
shot() { sleep 0.5; import -frame -window "$1" "$OUT/$2"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; sleep 0.4; }

# A first start on the drawings, two of them given on the command line.
"$QUORVEX_BIN" "$HOME/Drawings/road.dxf" "$HOME/Drawings/building.dxf" &
app=$!
main=$(window "^Quorvex V 4.03")
message=$(window "^Quorvex 4.03$")
xdotool windowactivate --sync "$message" key Return
sleep 1
shot "$main" dxf-files-tab.png

# Unlocked, the destination can be browsed for.
click "$main" 488 454
click "$main" 457 454
dialog=$(window "Destination Directory for Data Files")
shot "$dialog" folder-dialog.png
xdotool windowactivate --sync "$dialog" key Escape
sleep 0.5

# The Configuration tab, both trees expanded.
xdotool windowactivate --sync "$main" key ctrl+Tab
sleep 0.5
for tree in "120 120" "480 120"; do
  click "$main" $tree 3
  xdotool key Down Down Down Return
  sleep 0.4
done
click "$main" 480 120
shot "$main" configuration-tab.png

# The preview at 1280 x 800, then the window back at its first size for the clicks below.
xdotool windowsize --sync "$main" 1280 800
sleep 1.5
shot "$main" preview.png
xdotool windowsize --sync "$main" 784 562
sleep 0.5

xdotool windowactivate --sync "$main" key ctrl+Tab
shot "$main" options-tab.png

# Exit asks first: the default configuration counts as changed until it is saved.
xdotool windowactivate --sync "$main" key ctrl+Tab
sleep 0.5
click "$main" 221 511
prompt=$(window "^Quorvex 4.03$")
shot "$prompt" save-prompt.png
xdotool windowactivate --sync "$prompt" key n
wait "$app"

# A run on a large drawing, its report not opened afterwards.
printf 'showlog=0\n' >> "$HOME/.config/Mentavo/quorvex4.conf"
"$QUORVEX_BIN" "$HOME/Large/contours.dxf" &
app=$!
main=$(window "^Quorvex V 4.03")
message=$(window "^Quorvex 4.03$")
xdotool windowactivate --sync "$message" key Return
sleep 1
xdotool mousemove --window "$main" 84 511 click 1
progress=$(window "Processing")
shot "$progress" progress-window.png
while xdotool search --onlyvisible --name "Processing" >/dev/null; do sleep 0.5; done
click "$main" 221 511
prompt=$(window "^Quorvex 4.03$")
xdotool windowactivate --sync "$prompt" key n
wait "$app"
SESSION
ls -l "$out"
