#!/usr/bin/env bash
# installed_layout_test.sh BUILD_DIR DRAWING: installs the build into a fresh prefix and uses the
# installed converter as a user would, from another folder: it must find the installed default
# configuration, write its report into the user's state folder and nothing beside itself.
set -euo pipefail
build=$1
drawing=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
for file in bin/quorvex-cli share/quorvex/default.qrv share/man/man1/quorvex-cli.1; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ ! -e "$prefix/bin/default.qrv" ] || fail "default.qrv is installed beside the programs"
grep -q '^\.SH NAME' "$prefix/share/man/man1/quorvex-cli.1" || fail "the man page has no NAME"
grep -qF -- '\-\-log' "$prefix/share/man/man1/quorvex-cli.1" || fail "the man page lacks the options"
# The converter's manual page renders without a warning in 80 columns, has the sections that
# --help cannot give, and names no place of the machine that built it.
MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/quorvex-cli.1" > "$work/page" 2> "$work/warnings"
[ ! -s "$work/warnings" ] || fail "the man page renders with warnings: $(cat "$work/warnings")"
for section in FILES EXAMPLES; do
  grep -qx "$section" "$work/page" || fail "the man page has no $section"
done
! LC_ALL=C.UTF-8 grep -E '^.{81}' "$work/page" || fail "the man page is wider than 80 columns"
! grep -qF "$(cd "$build" && pwd)" "$work/page" || fail "the man page names the build folder"
programs_before=$(ls -A "$prefix/bin")

mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
env -u XDG_STATE_HOME -u XDG_DATA_HOME HOME="$work/home" \
  "$prefix/bin/quorvex-cli" -q -o out "$drawing" > summary
log=$work/home/.local/state/quorvex/QuorvexLog.txt
[ -f "$log" ] || fail "no report at $log"
grep -q "report: $log" summary || fail "the summary names another report: $(cat summary)"
[ -f "out/$(basename "${drawing%.*}").txt" ] || fail "no data file"
[ "$(ls -A "$prefix/bin")" = "$programs_before" ] || fail "the converter wrote beside itself"
[ "$(ls -A)" = "$(printf 'out\nsummary')" ] || fail "the converter wrote into the current folder"

# The installed default configuration is the one read: a refused one stops the run.
echo "not a configuration" > "$prefix/share/quorvex/default.qrv"
status=0
HOME="$work/home" "$prefix/bin/quorvex-cli" -q -o out "$drawing" > /dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "the installed default configuration was not read (exit $status)"
