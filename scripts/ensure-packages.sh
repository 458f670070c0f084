#!/usr/bin/env bash
# ensure_packages PKG...: installs the Debian packages that are missing (as root), or names the
# command that would.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}"
    apt-get -o DPkg::Lock::Timeout=120 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 install -y -qq "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev libgl-dev libsystemd-dev pkg-config nlohmann-json3-dev liblo-dev libpugixml-dev)
# What the running console uses beside its build: the fixture library's definitions.
RUN_PACKAGES=(qlcplus-data)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev libssl-dev clang libclang-rt-14-dev binutils chromium tshark liblo-tools)
# The Debian package: building it (dpkg-shlibdeps, dpkg-buildflags), checking it, its service unit,
# and a start without network (ip makes an interface in a namespace of the test's own).
PACKAGE_PACKAGES=(dpkg-dev lintian systemd desktop-file-utils python3 iproute2)
