#!/bin/sh
# Renders the README's picture of the main window headless: builds ZeltaScreenshot, starts it
# on the shipped product/ data inside a virtual X server and writes the PNG.
#
#   tools/screenshot/screenshot.sh [OUTPUT.png] [PART]
#
# Installs Xvfb (Debian package xvfb) when it is missing.
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=${1:-$ROOT/tools/screenshot/main-window.png}
PART=${2:-QAKD107K016RNJ}
BUILD=${BUILD_DIR:-$ROOT/build}
case "$OUT" in /*) ;; *) OUT=$(pwd)/$OUT ;; esac

if ! command -v xvfb-run >/dev/null 2>&1; then
    SUDO=""
    [ "$(id -u)" = 0 ] || SUDO=sudo
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends xvfb xauth
fi

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELTA_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target ZeltaScreenshot

cd "$ROOT/product"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
    "$BUILD/bin/ZeltaScreenshot" "$OUT" "$PART"
