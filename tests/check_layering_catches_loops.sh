#!/usr/bin/env bash
# The layering check on a copy of app/ with one include planted: platform/ (at the bottom) includes
# ui/ (at the top), which includes platform/. The check must fail and name that loop.
set -u
root="$1"
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$root/app" "$copy/app"
sed -i '0,/^#include/s//#include "ui\/launch.h"\n#include/' "$copy/app/platform/text.cpp"
report=$("$root/tests/check_layering.sh" "$copy")
failed=$?
if [[ $failed -eq 0 ]] || ! grep -q '^loop platform <-> ui' <<<"$report"; then
    echo "the planted loop platform <-> ui was not reported as a failure:"
    echo "$report"
    exit 1
fi
