#!/usr/bin/env bash
# check_exports.sh LIBRARY: the plug-in exports MOXLPluginMain alone and needs no Qt library.
set -euo pipefail
library="$1"
exported=$(nm -D --defined-only "$library" | awk '{print $NF}')
if [ "$exported" != "MOXLPluginMain" ]; then
    echo "exported symbols:" $exported >&2
    exit 1
fi
needed=$(readelf -d "$library" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
echo "$library needs:" $needed
if echo "$needed" | grep -Eq 'Qt|brannic'; then
    echo "the plug-in must not need a Qt library" >&2
    exit 1
fi
