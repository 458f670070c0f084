#!/usr/bin/env bash
# Fails on an include that points up the layers of app/: platform/ and shell/ at the bottom include
# nothing of the program above them; command/, dmx/, server/, settings/, netdmx/, osc/ and show/
# never include ui/; the network outputs build on dmx/'s output interface, never the other way.
set -u
app="$1/app"
status=0

# folder, then the extended regular expression of the project includes it may not have
check() {
    local found
    # Quoted or angle-bracket: the include path finds <ui/...> as well as "ui/...".
    found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($2)/" "$app/$1" || true)
    if [[ -n "$found" ]]; then
        echo "upward include in app/$1:"
        echo "$found"
        status=1
    fi
}

check platform 'shell|command|dmx|server|settings|netdmx|osc|show|ui'
check shell 'command|dmx|server|settings|netdmx|osc|show|ui'
for folder in command dmx server settings netdmx osc show; do
    check "$folder" ui
done
check dmx netdmx
exit $status
