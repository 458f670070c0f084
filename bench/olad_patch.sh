#!/bin/sh
# Patches universe 1 to the output of olad's Enttec device once it has found it.
set -e
alias=$(ola_dev_info 2>/dev/null | sed -n "s/^Device \([0-9]*\): Enttec.*/\1/p" | head -n 1)
[ -n "$alias" ]
ola_patch --device "$alias" --port 0 --universe 1 >/dev/null 2>&1
