#!/usr/bin/env bash
# Unpacks every package of a folder (dpkg -x) into a scratch root, then
# builds and runs three hosts against that tree alone: the C++ host of
# tests/install with find_package, the worked C host with pkg-config and the
# worked Python host with the module. Run by make package.
#   tools/package-hosts.sh build/packages
set -euo pipefail
packages=$(realpath "$1")
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
for deb in "$packages"/*.deb; do dpkg -x "$deb" "$root"; done
lib=$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
export LD_LIBRARY_PATH=$lib
run_host() { # name, then the host's command
  local name=$1; shift
  cmake -DHOST="$1" ${2:+-DHOST_ARG=$2} -DSAMPLES="$source/examples/plugins" -DWORK="$work/run-$name" \
        -P "$source/tests/server/RunHost.cmake"
  echo "packaged $name host: published"
}

cmake -S "$source/tests/install" -B "$work/cpp" -DTLPaymentPlugIns_DIR="$lib/cmake/TLPaymentPlugIns" >/dev/null
cmake --build "$work/cpp" >/dev/null
run_host cpp "$work/cpp/installed_host"

export PKG_CONFIG_PATH=$lib/pkgconfig PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=
# shellcheck disable=SC2046
cc -std=c99 -o "$work/publish_c" "$source/docs/hosts/publish.c" $(pkg-config --cflags --libs tlpaymentplugins)
run_host c "$work/publish_c"

PYTHONPATH=$root/usr/lib/python3/dist-packages run_host python python3 "$source/docs/hosts/publish.py"
