#!/bin/sh
# answers_help.sh PROGRAM NAME: passes when "PROGRAM --help" prints its usage ("usage: NAME ...")
# on standard output and succeeds, without taking --help for a file to write.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
usage=$("$1" --help)
case "$usage" in
  "usage: $2 "*) ;;
  *) echo "--help printed no usage: $usage"; exit 1 ;;
esac
if [ -n "$(ls -A)" ]; then
  echo "--help wrote: $(ls -A)"
  exit 1
fi
