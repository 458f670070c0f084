#!/usr/bin/env bash
# Builds the Debian package: a release build with Debian's compiler and hardening flags in
# build-deb/ (or the folder given), then CPack. Prints the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

build=${1:-build-deb}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRANNIC_TESTS=OFF -DBRANNIC_BENCH=OFF \
    -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/packages/brannic-webserver_*_"$(dpkg --print-architecture)".deb
