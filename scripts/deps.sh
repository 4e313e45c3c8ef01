#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and those named as arguments (for
# the benchmark scripts), when any is missing.
set -euo pipefail
packages=(build-essential cmake libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
          libtomlplusplus-dev clang libclang-rt-14-dev llvm clang-format clang-tidy locales
          qt6-base-dev qt6-svg-dev xvfb xauth fonts-dejavu-core help2man libunistring-dev
          dpkg-dev lintian appstream bash-completion man-db nlohmann-json3-dev libssl-dev)
missing=()
for p in "${packages[@]}" "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
# The number tests run once more under a locale whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
