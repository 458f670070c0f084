#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test, then runs the tests again in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), then the package test,
# the fuzzers and the browser test.
#   ./test.sh --quick   builds build/ and runs its tests, nothing else: the edit-and-test loop.
set -euo pipefail
cd "$(dirname "$0")"
quick=false
[[ "${1:-}" == "--quick" ]] && quick=true
source scripts/ensure-packages.sh
if $quick; then
    ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
else
    ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    # The browser test drives Chromium from Node.js; a machine may carry its own Node.js build.
    command -v npm >/dev/null 2>&1 || ensure_packages nodejs npm
fi

export QT_QPA_PLATFORM=offscreen
# The tests and benchmarks are named ON: run.sh configures the same folder with them OFF, and a
# cached OFF would leave ctest with nothing to run.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANNIC_TESTS=ON -DBRANNIC_BENCH=ON
cmake --build build
(cd build && ctest --output-on-failure --no-tests=error -j2)
$quick && exit 0

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRANNIC_SANITIZE=ON -DBRANNIC_TESTS=ON \
    -DBRANNIC_BENCH=OFF
cmake --build build-asan
# Full allocation stacks make a leak report say which library call it came from.
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 ctest --output-on-failure \
    --no-tests=error -j2)

# The Debian package made from build/, and the installed program run as its service runs it.
scripts/test-package.sh build

# Fuzzing of the plug-in's codecs (needs clang) and the end-to-end browser test.
scripts/run-fuzzers.sh
scripts/run-browser-test.sh
