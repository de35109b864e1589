#!/usr/bin/env bash
# Makes the Debian packages of a build folder with CPack into OUT and unpacks
# each into OUT/root, as dpkg would install them, for the tests that use them.
#   make_packages.sh BUILD_DIR OUT
set -euo pipefail
build=$1 out=$2
rm -rf "$out"
mkdir -p "$out/root"
if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
for deb in "$out"/*.deb; do
  dpkg-deb -x "$deb" "$out/root"
  echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB; Depends: $(dpkg-deb -f "$deb" Depends)"
done
