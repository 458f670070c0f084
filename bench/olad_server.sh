#!/bin/sh
# Starts OLA's olad for the server bench: olad_server.sh <serial device> <http port> <scratch folder>.
# Only the Dummy and USB serial plug-ins run, with no discovery, so nothing leaves loopback; the
# USB serial plug-in finds the bench's pseudo-terminal as ttyUSB0. olad refuses to run as root.
set -e
device=$1 port=$2 dir=$3
config="$dir/ola"
mkdir -p "$config" "$dir/dev"
ln -sf "$device" "$dir/dev/ttyUSB0"
for plugin in artnet dmx4linux e131 espnet ftdidmx gpio karate kinet milinst nanoleaf opendmx \
    openpixelcontrol osc pathport renard sandnet shownet spi stageprofi uartdmx usbdmx; do
    echo "enabled = false" > "$config/ola-$plugin.conf"
done
echo "enabled = true" > "$config/ola-dummy.conf"
# The Pro widget's frame rate cap at its highest (1000), so it holds back as few frames as it can.
cat > "$config/ola-usbserial.conf" <<CONF
enabled = true
device_dir = $dir/dev
device_prefix = ttyUSB
pro_fps_limit = 1000
CONF
chmod -R a+rwX "$dir"
chmod a+rw "$device"
exec runuser -u olad -- olad --config-dir "$config" --http-port "$port" --no-register-with-dns-sd \
    --no-http-quit --log-level 1
