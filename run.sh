#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brannic Webserver. Arguments go to the program
# (for example: ./run.sh --headless --port 8080).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DBRANNIC_TESTS=OFF -DBRANNIC_BENCH=OFF >/dev/null
cmake --build build --target brannic-webserver quilvane
exec build/brannic-webserver "$@"
