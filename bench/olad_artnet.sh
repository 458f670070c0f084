#!/bin/sh
# OLA's olad receives the console's Art-Net on 127.0.0.1 and reads the levels back, a check by a
# receiver this project did not write: bench/olad_artnet.sh [build/brannic-webserver]
# olad runs as the olad user (it refuses root) with a fresh config folder and only its Art-Net
# plug-in, on the loopback interface; nothing leaves 127.0.0.1.
set -e
program=$(realpath "${1:-build/brannic-webserver}")
dir=$(mktemp -d)
chmod 755 "$dir"
olad_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$olad_pid" ] && kill "$olad_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT

config="$dir/ola"
mkdir -p "$config"
for plugin in dmx4linux dummy e131 espnet ftdidmx gpio karate kinet milinst nanoleaf opendmx \
    openpixelcontrol osc pathport renard sandnet shownet spi stageprofi uartdmx usbdmx usbserial; do
    echo "enabled = false" > "$config/ola-$plugin.conf"
done
cat > "$config/ola-artnet.conf" <<CONF
enabled = true
ip = 127.0.0.1
always_broadcast = false
use_limited_broadcast = false
net = 0
subnet = 0
CONF
chmod -R a+rwX "$dir"
http_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
runuser -u olad -- olad --config-dir "$config" --http-port "$http_port" \
    --no-register-with-dns-sd --no-http-quit --log-level 1 &
olad_pid=$!
for _ in $(seq 50); do
    curl -sf "http://127.0.0.1:$http_port/json/universe_plugin_list" >/dev/null && break
    sleep 0.2
done
# The Art-Net device's first input port feeds OLA universe 0, which OLA maps to port-address 0.
device=$(ola_dev_info | sed -n 's/^Device \([0-9]*\): ArtNet.*/\1/p' | head -1)
ola_patch --device "$device" --port 0 --input --universe 0

printf 'default.shw\n-1\n80\nenableWAN=false\nrequireLogin=false\nstartMinimized=false\n\n\n' \
    > "$dir/Tolvex.config"
web_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
BRANNIC_SERIAL_PORTS= "$program" --headless --port "$web_port" --prefs-dir "$dir" \
    --artnet 0 --artnet-to 127.0.0.1 > "$dir/console.txt" &
program_pid=$!
for _ in $(seq 50); do
    grep -q "in a browser" "$dir/console.txt" 2>/dev/null && break
    sleep 0.1
done
curl -sf "http://127.0.0.1:$web_port/dmx?cmd=1/3@D200;10@D70" >/dev/null
sleep 0.5
levels=$(curl -sf "http://127.0.0.1:$http_port/get_dmx?u=0" | tr -d ' \n')
echo "olad reads: $(echo "$levels" | cut -c1-80)"
case "$levels" in
    *'"dmx":[200,200,200,0,0,0,0,0,0,70,0'*) echo "OK: olad received the levels over Art-Net" ;;
    *) echo "FAIL: olad did not receive the levels" >&2; exit 1 ;;
esac
