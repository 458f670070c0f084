#!/usr/bin/env bash
# Fails on a look-up of the main window below the windows: only app/ui and app/shell may name
# Implicit<Window1>; everything else is handed what it works on.
set -u
found=$(grep -rn --include='*.h' --include='*.cpp' -E 'Implicit[[:space:]]*<[[:space:]]*(::)?Window1[[:space:]]*>' \
    "$1/app" | grep -vE "^$1/app/(ui|shell)/" || true)
if [[ -n "$found" ]]; then
    echo "the main window looked up outside app/ui and app/shell:"
    echo "$found"
    exit 1
fi
