#!/usr/bin/env bash
# Installs the Debian 12 packages Tarnwick needs to build and test, if any are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  nlohmann-json3-dev
  qt6-base-dev qt6-svg-dev fonts-dejavu-core
  qt6-webengine-dev xvfb xauth libcpp-httplib-dev libcurl4-openssl-dev zlib1g-dev
  dbus-daemon x11-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
