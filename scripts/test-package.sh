#!/usr/bin/env bash
# Checks the Debian package made from build/ (or the build folder given): its files and
# dependencies, its service unit and desktop entry, lintian's verdict, and the installed program
# run from an unpacked root as the service runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${PACKAGE_PACKAGES[@]}"
build=${1:-build}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --build "$build" --target brannic-webserver quilvane package_docs >/dev/null
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB >/dev/null)
version=$("$build/brannic-webserver" --version | cut -d' ' -f2)
deb=$build/packages/brannic-webserver_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(./usr/bin/brannic-webserver ./usr/lib/brannic-webserver/libquilvane.so
    ./lib/systemd/system/brannic-webserver.service ./usr/lib/sysusers.d/brannic-webserver.conf
    ./etc/default/brannic-webserver ./usr/share/man/man1/brannic-webserver.1.gz
    ./usr/share/applications/brannic-webserver.desktop
    ./usr/share/icons/hicolor/scalable/apps/brannic-webserver.svg
    ./usr/share/doc/brannic-webserver/copyright ./usr/share/doc/brannic-webserver/changelog.gz)
if [ -f share/keypad/DMXform.htm ]; then expected+=(./usr/share/brannic-webserver/DMXform.htm); fi
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$listing" || fail "$path is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6serialport6 libsystemd0 liblo7; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

# The unit is checked against the unpacked root: its program there, its manual page there.
printf '[Service]\nExecStart=/bin/true\n' >"$root/probe.service"
if systemd-analyze verify --man=no "$root/probe.service" >/dev/null 2>&1; then
    sed "s|/usr/bin/brannic-webserver|$root/usr/bin/brannic-webserver|" \
        "$root/lib/systemd/system/brannic-webserver.service" >"$root/brannic-webserver.service"
    messages=$(MANPATH=$root/usr/share/man systemd-analyze verify "$root/brannic-webserver.service" 2>&1) ||
        fail "systemd-analyze verify: $messages"
    [ -z "$messages" ] || fail "systemd-analyze verify: $messages"
else
    echo "SKIP: systemd-analyze cannot verify units here"
fi
desktop-file-validate "$root/usr/share/applications/brannic-webserver.desktop" ||
    fail "desktop entry"

lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"

python3 tests/packaging/installed_program_test.py "$root"
echo "package $deb: files, unit, desktop entry, lintian and the installed program are fine"
