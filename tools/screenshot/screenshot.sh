#!/bin/sh
# Renders the README's picture of the main window headless: builds ZeltaScreenshot, starts it
# on the shipped product/ data inside a virtual X server and writes the PNG.
#
#   tools/screenshot/screenshot.sh [OUTPUT.png] [PART]
#   tools/screenshot/screenshot.sh --set FOLDER [PART]
#
# --set writes, for English and Japanese (FOLDER/en, FOLDER/ja), the whole screen under a
# window manager (openbox) with seven graphs tiled and cascaded, the About box and the
# selection dialog. DISPLAY_NUMBER picks the virtual display (default 14), SCREEN its size
# (default 1280x800) and SCALE the scale factor (default 1; 2 draws at twice the pixels).
# Installs Xvfb (Debian package xvfb) when it is missing, and openbox for --set.
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
if [ "${1:-}" = "--set" ]; then
    SET=${2:?folder}
    PART=${3:-QAKD107K016RNJ}
    BUILD=${BUILD_DIR:-$ROOT/build}
    case "$SET" in /*) ;; *) SET=$(pwd)/$SET ;; esac
    for tool in Xvfb openbox; do
        if ! command -v $tool >/dev/null 2>&1; then
            SUDO=""
            [ "$(id -u)" = 0 ] || SUDO=sudo
            $SUDO apt-get update
            DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends \
                xvfb openbox
        fi
    done
    cmake --build "$BUILD" --target ZeltaScreenshot
    DISPLAY=:${DISPLAY_NUMBER:-14}
    export DISPLAY
    Xvfb "$DISPLAY" -screen 0 "${SCREEN:-1280x800}x24" >/dev/null 2>&1 &
    XVFB=$!
    sleep 1
    openbox >/dev/null 2>&1 &
    WM=$!
    sleep 1
    cd "$ROOT/product"
    status=0
    for lang in en ja; do
        mkdir -p "$SET/$lang"
        locale=C.UTF-8
        [ $lang = ja ] && locale=ja_JP.UTF-8
        LANG=$locale LC_ALL=$locale QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=${SCALE:-1} \
            "$BUILD/bin/ZeltaScreenshot" --set "$SET/$lang" "$PART" || status=1
    done
    kill $WM $XVFB
    exit $status
fi
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
