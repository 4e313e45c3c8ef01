#!/bin/sh
# answers_without_display.sh PROGRAM VERSION: "PROGRAM --help" prints its usage and
# "PROGRAM --version" its version, each on standard output and successfully, where there is no
# display to open a window on.
set -eu
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
usage=$("$1" --help)
case "$usage" in
  "Usage: quorvex "*) ;;
  *) echo "--help printed no usage: $usage"; exit 1 ;;
esac
version=$("$1" --version)
[ "$version" = "quorvex $2" ] || { echo "--version printed: $version"; exit 1; }
