# Shared by the scripts in this folder: installing what is missing, and building.
# shellcheck shell=bash

# What building the program and its tests needs on Debian.
BUILD_PACKAGES=(cmake make g++ qtbase5-dev)
# What running it without a display, and its tests, need besides: a virtual X server, window
# lookup and screenshots, and a font with Chinese glyphs for the labels.
HEADLESS_PACKAGES=(xvfb xdotool imagemagick fonts-noto-cjk fonts-dejavu-core)

# Installs those of the given Debian packages that are not installed yet.
install_packages()
{
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing ${missing[*]} ..."
    if [ -z "${QUILLMARK_APT_UPDATED:-}" ]; then
        "${sudo[@]}" apt-get update -qq
        QUILLMARK_APT_UPDATED=1
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# configure_and_build BUILD_DIR [cmake options...] [-- targets...]
configure_and_build()
{
    local dir=$1 options=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    targets=("$@")

    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "${options[@]}" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)" ${targets[@]:+--target "${targets[@]}"}
}

# Starts a virtual X server on a free display and exports DISPLAY; XVFB_PID is its process.
start_xvfb()
{
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r -t 30 display <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$display" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$display"
}
