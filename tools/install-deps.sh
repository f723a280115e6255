#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# With --package, also those make package needs: debhelper and lintian, and
# whatever debian/control's Build-Depends lists.
set -euo pipefail
packages=(cmake g++ make pkg-config libxml2-dev libxml2-utils libicu-dev libgtest-dev libgmock-dev
          pybind11-dev python3-dev python3-pytest
          libbenchmark-dev qt6-base-dev libxcb1-dev libssl-dev fonts-dejavu-core nlohmann-json3-dev help2man
          xvfb xdotool clang-format-14 clang-tidy-14 cppcheck abigail-tools ninja-build ccache)
if [ "${1:-}" = --package ]; then
  here=$(cd "$(dirname "$0")/.." && pwd)
  packages+=(debhelper dpkg-dev fakeroot lintian)
  # Build-Depends, without versions, alternatives or the debhelper-compat marker.
  packages+=($(sed -n '/^Build-Depends:/,/^[A-Z]/p' "$here/debian/control" | sed '$d' |
               sed 's/^Build-Depends://; s/([^)]*)//g; s/|[^,]*//g' | tr ',' '\n' |
               awk 'NF && $1 != "debhelper-compat" {print $1}'))
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
