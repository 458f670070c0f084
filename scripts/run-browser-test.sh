#!/usr/bin/env bash
# The end-to-end browser test: Debian's Chromium, headless, against build/brannic-webserver (or the
# program in the build folder given as $1), with the DMX interface played on a pseudo-terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program="$build/brannic-webserver"
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }

(
    cd tests/browser
    if [ -f package-lock.json ]; then npm ci --no-audit --no-fund --silent; else npm install --no-audit --no-fund --silent; fi
)

# A folder of its own, so no form page file of the build folder changes the expected page.
app_dir=$(mktemp -d)
trap 'rm -rf "$app_dir"' EXIT
node tests/browser/browser_test.mjs "$program" "$app_dir"
