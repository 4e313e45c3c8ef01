#!/usr/bin/env bash
# debian_package_test.sh CPACK BUILD_DIR SOURCE_DIR VERSION WINDOW: makes the Debian package of
# the build as the README says, checks it with lintian, unpacks it into a scratch root and uses
# what it installed: the converter on a sample drawing, the bash completion, the metadata.
# WINDOW is 1 when the build has the desktop application.
set -euo pipefail
cpack=$1
build=$2
source=$3
version=$4
window=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$work/out/quorvex_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work/out")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = quorvex ] || fail "the package is named $(field Package)"
[ "$(field Version)" = "$version" ] || fail "the package's version is $(field Version)"
for name in Maintainer Section Description Homepage; do
  [ -n "$(field "$name")" ] || fail "the package has no $name"
done
# The dependencies are those of the programs, as dpkg-shlibdeps finds them.
grep -q 'libc6 (>=' <<< "$(field Depends)" || fail "Depends lacks the C library: $(field Depends)"
if [ "$window" = 1 ]; then
  grep -q 'libqt6widgets6 (>=' <<< "$(field Depends)" || fail "Depends lacks Qt: $(field Depends)"
fi
lintian --fail-on error,warning "$deb" 2> /dev/null || fail "lintian finds errors or warnings"

root=$work/root
dpkg -x "$deb" "$root"
usr=$root/usr
expected=(bin/quorvex-cli share/quorvex/default.qrv share/man/man1/quorvex-cli.1.gz
          share/bash-completion/completions/quorvex-cli share/doc/quorvex/copyright
          share/doc/quorvex/changelog.gz)
if [ "$window" = 1 ]; then
  expected+=(bin/quorvex share/man/man1/quorvex.1.gz share/applications/quorvex.desktop
             share/icons/hicolor/scalable/apps/quorvex.svg share/quorvex/help/index.html
             share/metainfo/example.mentavo.quorvex.metainfo.xml)
fi
for file in "${expected[@]}"; do
  [ -f "$usr/$file" ] || fail "the package lacks /usr/$file"
done

# One version everywhere; the desktop entry's name carries none.
[ "$("$usr/bin/quorvex-cli" --version)" = "quorvex-cli $version" ] ||
  fail "quorvex-cli --version says $("$usr/bin/quorvex-cli" --version)"
[ "$(zcat "$usr/share/doc/quorvex/changelog.gz" | head -1)" = \
  "quorvex ($version) unstable; urgency=medium" ] || fail "the changelog names another version"
if [ "$window" = 1 ]; then
  metainfo=$usr/share/metainfo/example.mentavo.quorvex.metainfo.xml
  grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "the AppStream release is not $version"
  appstreamcli validate --no-net "$metainfo" > "$work/appstream.log" ||
    { cat "$work/appstream.log"; fail "the AppStream metadata is not valid"; }
  grep -q "version $version<" "$usr/share/quorvex/help/index.html" || fail "the help's version"
  grep -qx 'Name=[^0-9]*' "$usr/share/applications/quorvex.desktop" ||
    fail "the desktop entry's $(grep '^Name=' "$usr/share/applications/quorvex.desktop")"
fi

# The installed converter, with the installed default configuration, writes what the golden
# case of the samples holds.
mkdir -p "$work/home" "$work/run"
cd "$work/run"
env -u XDG_STATE_HOME -u XDG_DATA_HOME HOME="$work/home" \
  "$usr/bin/quorvex-cli" -q -o out "$source/samples/road.dxf" > /dev/null
cmp out/road.txt "$source/tests/golden/samples/expected/road.txt" ||
  fail "the installed converter wrote another road.txt"

# The completion, as bash-completion loads it: each case is the words typed, the last one under
# the cursor, and the completions expected. The presets come from the program completed, here a
# stand-in that lists two.
source /usr/share/bash-completion/bash_completion
source "$usr/share/bash-completion/completions/quorvex-cli"
mkdir "$work/stand-in"
printf '#!/bin/sh\n[ "$1" = --list-presets ] && printf "csv-gis\\npnezd\\n"\n' \
  > "$work/stand-in/quorvex-cli"
chmod +x "$work/stand-in/quorvex-cli"
touch clay.dxf clay.txt
Complete() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _quorvex_cli "$work/stand-in/quorvex-cli" "${COMP_WORDS[COMP_CWORD]}" \
    "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' '
}
check() {
  local expected=$1
  shift
  local got
  got=$(Complete quorvex-cli "$@")
  [ "$got" = "$expected" ] || fail "completing '$*' gives '$got', not '$expected'"
}
check "--kinds" --ki
check "--no-clobber --no-header --no-manifest" --no-
check "points,arcs.center points,arcs.end points,arcs.start" --kinds points,arcs.
check "block-name" --fields=bl
check "semicolon space" --separator s
check "lf" --line-ends ""
check "clay.dxf clay.txt csv-gis out pnezd" -c ""
check "pnezd" --config pn
check "clay.dxf" cl
check "" --decimals ""

# Every word completed is one the converter takes.
kinds=$(Complete quorvex-cli --kinds "")
fields=$(Complete quorvex-cli --fields "")
[ -n "$kinds" ] && [ -n "$fields" ] || fail "no kind or field is completed"
HOME="$work/home" "$usr/bin/quorvex-cli" --kinds "${kinds// /,}" --fields "${fields// /,}" \
  --print-config > /dev/null || fail "the converter refuses completed kinds or fields"
for separator in $(Complete quorvex-cli --separator ""); do
  HOME="$work/home" "$usr/bin/quorvex-cli" --separator "$separator" --print-config |
    grep -qx "separator = \"$separator\"" || fail "the separator word $separator is not one"
done
