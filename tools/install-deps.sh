#!/usr/bin/env bash
# Installs from Debian's packages whatever of the build and test tools is missing; skips what is
# there. Usage: tools/install-deps.sh [build|test]   (test installs the build tools too)
set -euo pipefail

build_packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev libpng-dev zlib1g-dev libgif-dev libxcb1-dev libgtest-dev libbenchmark-dev
    fonts-arphic-uming
)
test_packages=(
    xvfb xauth openbox xdotool x11-utils imagemagick tesseract-ocr python3 python3-pil python3-xlib
    clang libclang-rt-14-dev
    desktop-file-utils appstream python3-pyatspi at-spi2-core dbus qt6-wayland weston
    dpkg-dev file binutils reuse lintian python3-debian man-db
)

wanted=("${build_packages[@]}")
if [ "${1:-build}" = test ]; then
    wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
