#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need. Quiet and quick when all is there.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev
    libsnmp-dev libssl-dev libcurl4-openssl-dev
    libgtest-dev libgmock-dev
    curl tftp-hpa snmp
    iproute2  # the tests' own network namespaces (scripts/loopback-only.sh, the ICMP echo tests)
    xvfb fonts-wine
    clang libclang-rt-14-dev  # libFuzzer for scripts/fuzz.sh
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
