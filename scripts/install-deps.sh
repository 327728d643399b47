#!/usr/bin/env bash
# Installs every package the build, the tests and the tools need. Idempotent and
# non-interactive; skips apt entirely when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache clang clang-format
  libsqlite3-dev sqlite3
  libhidapi-dev
  libminizip-dev zlib1g-dev
  libcurl4-openssl-dev
  libudev-dev libevdev-dev libxkbcommon-dev
  umockdev libumockdev-dev util-linux
  qt6-base-dev
  fonts-dejavu-core fonts-wqy-microhei
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  libxml2-utils python3 python3-jsonschema time
  dpkg-dev file groff-base desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
