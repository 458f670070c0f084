#!/usr/bin/env bash
# The folders of app/ in one order, lowest first: a folder includes only folders below it. Fails
# on an include that points up the order and on two folders that include each other (a loop),
# listing each. An include counts when its path names a file of app/, quoted or in angle brackets
# (the include path finds <ui/...> as well as "ui/..."; <net/if.h> is the system's).
set -u
root="$1"
app="$root/app"
order="event_loop network platform status shell settings command fixtures dmx netdmx show server osc ui"
status=0

rank() {
    local i=0 folder
    for folder in $order; do
        [[ "$folder" == "$1" ]] && { echo $i; return; }
        i=$((i + 1))
    done
    echo -1
}

# Each project include as "from to file:line".
edges() {
    local folder
    for folder in "$app"/*/; do
        folder=$(basename "$folder")
        grep -rnoE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<][^\">]+" "$app/$folder" |
            sed -E "s#^$app/##; s#^([^:]*:[0-9]+):.*[\"<](.*)#\\1 \\2#" |
            while read -r place target; do
                to=${target%%/*}
                [[ "$target" == */* && "$to" != "$folder" && -f "$app/$target" ]] &&
                    echo "$folder $to $place"
            done
    done
}

for folder in "$app"/*/; do
    folder=$(basename "$folder")
    if [[ $(rank "$folder") -lt 0 ]]; then
        echo "app/$folder is not in the order of folders"
        status=1
    fi
done

all=$(edges)
pairs=$(awk '{print $1, $2}' <<<"$all" | sort -u)
while read -r from to; do
    [[ -z "$from" ]] && continue
    if [[ $(rank "$to") -gt $(rank "$from") ]]; then
        if grep -qx "$to $from" <<<"$pairs"; then
            echo "loop $from <-> $to (app/$from includes app/$to):"
        else
            echo "upward include in app/$from (of app/$to):"
        fi
        awk -v f="$from" -v t="$to" '$1 == f && $2 == t {print "  " $3}' <<<"$all"
        status=1
    fi
done <<<"$pairs"
exit $status
