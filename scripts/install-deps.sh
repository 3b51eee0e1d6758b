#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quillet need.
# Only missing packages are installed; uses sudo when not run as root.
set -euo pipefail

packages=(
    # toolchain and build
    build-essential cmake ninja-build pkg-config ccache clang libclang-rt-14-dev
    # the framework and the libraries its GUI modules load
    juce-modules-source libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev
    libfreetype-dev libfontconfig-dev fonts-dejavu-core
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # GUI and end-to-end tests: a virtual X server, input, clipboard, screenshots
    xvfb xauth xdotool xclip x11-utils imagemagick python3
    # artwork, desktop integration and the shipped web pages
    librsvg2-bin desktop-file-utils libxml2-utils shared-mime-info chromium
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install packages" >&2; exit 1; }
    sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
