# Shared by the scripts in this folder: installing what is missing, and building.
# shellcheck shell=bash

# What building the program and its tests needs on Debian.
BUILD_PACKAGES=(cmake make g++ qtbase5-dev)
# What building against Qt 6 adds: the development files, and the platform plugins (xcb,
# offscreen) that Debian packages apart.
QT6_PACKAGES=(qt6-base-dev qt6-qpa-plugins)
# What running it without a display, and its tests, need besides: a virtual X server, window
# lookup and screenshots, and a font with Chinese glyphs for the labels.
HEADLESS_PACKAGES=(xvfb xdotool imagemagick fonts-noto-cjk fonts-dejavu-core)
# Analysis tools, run among the tests.
ANALYSIS_PACKAGES=(clang-format clang-tidy cppcheck valgrind)
# What packaging and its test need: dpkg-shlibdeps for the dependencies, and the desktop entry's
# validator.
PACKAGING_PACKAGES=(dpkg-dev file desktop-file-utils)
# What the end-to-end test adds: a real window manager, and a way to ask it to close a window.
DESKTOP_PACKAGES=(openbox wmctrl)

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

# A desktop session for the real program: a virtual X server, optionally a window manager, and the
# program in it. Everything started here is stopped by stop_session.

# Starts a virtual X server on a free display and exports DISPLAY; XVFB_PID is its process.
start_xvfb()
{
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r -t 30 display <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$display" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$display"
    # On a busy machine the server may still refuse the first connections.
    local _
    for _ in $(seq 300); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb does not accept connections" >&2
    return 1
}

# Starts Xvfb, and openbox unless told "bare"; gives the toolkit a private runtime folder.
start_session()
{
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    start_xvfb || return 1
    [ "${1:-}" = bare ] && return 0
    openbox --sm-disable >"$XDG_RUNTIME_DIR/openbox.err" 2>&1 &
    OPENBOX_PID=$!
    local _
    for _ in $(seq 300); do
        wmctrl -m >/dev/null 2>&1 && return 0
        kill -0 "$OPENBOX_PID" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$OPENBOX_PID" 2>/dev/null; then
        echo "openbox did not answer in 30 s" >&2
    else
        wait "$OPENBOX_PID"
        echo "openbox ended with status $?: $(cat "$XDG_RUNTIME_DIR/openbox.err")" >&2
    fi
    return 1
}

stop_session()
{
    local pid
    for pid in ${APP_PID:-} ${OPENBOX_PID:-} ${XVFB_PID:-}; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    APP_PID= OPENBOX_PID= XVFB_PID=
    [ -n "${XDG_RUNTIME_DIR:-}" ] && rm -rf "$XDG_RUNTIME_DIR"
    return 0
}

# start_app PROGRAM [ARGS...]: starts it with stderr kept in APP_ERR, and waits until its
# window is mapped and painted (APP_TIMEOUT seconds at most for each); WINDOW is its id.
start_app()
{
    APP_ERR=$XDG_RUNTIME_DIR/stderr
    "$@" 2>"$APP_ERR" &
    APP_PID=$!
    WINDOW=$(timeout "${APP_TIMEOUT:-30}" xdotool search --sync --onlyvisible --pid "$APP_PID" --name '^Quillmark' |
        head -n 1)
    [ -n "$WINDOW" ] || return 1
    # Mapped is not yet painted: wait until a picture shows more than the blank background.
    local _
    for _ in $(seq $((${APP_TIMEOUT:-30} * 10))); do
        [ "$(import -window "$WINDOW" png:- | convert - -format '%k' info:)" -gt 2 ] && return 0
        sleep 0.1
    done
    return 1
}

# wait_app_exit SECONDS: waits for the program to end, leaving its exit status in APP_STATUS.
# Fails when it is still running after SECONDS.
wait_app_exit()
{
    local _
    for _ in $(seq $(($1 * 10))); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            APP_STATUS=$?
            APP_PID=
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# pixels FILE COLOUR: how many pixels of exactly that colour (#RRGGBB) the picture holds.
pixels()
{
    convert "$1" -format %c histogram:info:- | awk -v c="$2" 'toupper($0) ~ c" " {n += $1} END {print n + 0}'
}

# Where a user clicks each control, inside the fixed 440 x 320 window: the check box and radio
# button indicators, and the middle of each push button.
declare -A CONTROL_AT=(
    [editor]="220 175"
    [粗体]="17 25" [斜体]="158 25" [下划线]="300 25"
    [黑色]="17 56" [红色]="158 56" [蓝色]="300 56"
    [确 定]="50 295" [清 除]="137 295" [退 出]="388 295"
)

# click LABEL...: clicks each control with the real pointer.
click()
{
    local label
    for label in "$@"; do
        # shellcheck disable=SC2086
        xdotool mousemove --window "$WINDOW" ${CONTROL_AT[$label]} click 1
    done
}
