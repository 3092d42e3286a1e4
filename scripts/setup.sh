#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing the station needs.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev libegl-dev libxkbcommon-dev
    libmpv-dev libxcb1-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    # fonts named by the default layout, or their metric-compatible substitutes
    fonts-liberation2 fonts-urw-base35 fonts-dejavu-core fontconfig
    # a compact face with Han, Kana and Hangul, which fontconfig falls back to for names in those scripts
    fonts-wqy-microhei
    # peer tools the tests use as oracles
    python3 python3-mutagen libtag1-dev lame mpg123
    # fuzzing and sanitizers
    clang libclang-rt-14-dev
    # a real display for screenshots and the end-to-end runs, and a mouse to drive them with
    xvfb xauth x11-apps imagemagick libxcb-cursor0 procps xdotool
    # a window manager on that display, and tools to ask it and the windows their state
    openbox wmctrl x11-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
