#!/usr/bin/env bash
# End-to-end: the built program in a real window, under a real window manager (openbox) on a
# private virtual X server, driven by real X input (xdotool) and judged by its pixels.
# Usage: e2e.sh PROGRAM CASE
set -uo pipefail
. "$(dirname "$0")/../scripts/lib.sh"

program=$1
name=$2
fail()
{
    echo "FAIL [$name]: $*" >&2
    [ -n "${FAIL_LOG:-}" ] && [ -s "$FAIL_LOG" ] && cat "$FAIL_LOG" >&2
    exit 1
}
trap stop_session EXIT
trap 'exit 1' INT TERM

# The editor's inside, below its frame, in window coordinates.
EDITOR=412x194+14+78

# editor_shot FILE: a picture of the editor's inside as it is on screen now.
editor_shot()
{
    import -window "$WINDOW" png:- | convert - -crop "$EDITOR" +repage "$1"
}

# dark FILE: how many pixels are closer to black than to white: the ink of the text.
dark()
{
    convert "$1" -colorspace gray -threshold 50% -format '%[fx:round(w*h*(1-mean))]' info:
}

# until_shot SECONDS TEST...: takes pictures of the editor into $shot until TEST holds on it.
until_shot()
{
    local seconds=$1 _
    shift
    for _ in $(seq $((seconds * 10))); do
        editor_shot "$shot"
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

red_no_blue() { [ "$(pixels "$shot" '#FF0000')" -ge 100 ] && [ "$(pixels "$shot" '#0000FF')" -eq 0 ]; }
blue_no_red() { [ "$(pixels "$shot" '#0000FF')" -ge 100 ] && [ "$(pixels "$shot" '#FF0000')" -eq 0 ]; }
no_colour() { [ "$(pixels "$shot" '#FF0000')" -eq 0 ] && [ "$(pixels "$shot" '#0000FF')" -eq 0 ]; }
same_as() { [ "$(compare -metric AE "$shot" "$1" null: 2>&1)" = 0 ]; }
differs_from() { ! same_as "$1"; }
bolder_than() { [ "$(dark "$shot")" -ge $(($1 * 115 / 100)) ]; }

# Closes the window the way given (or by Esc) and checks the program ends well and quietly.
close_and_check()
{
    case ${1:-esc} in
    ok) click "确 定" ;;
    exit) click "退 出" ;;
    esc) xdotool windowactivate --sync "$WINDOW" key Escape ;;
    wm) wmctrl -i -c "$WINDOW" ;;
    esac
    wait_app_exit "${EXIT_TIMEOUT:-15}" || fail "still running ${EXIT_TIMEOUT:-15} s after closing by ${1:-esc}"
    [ "$APP_STATUS" = 0 ] || fail "closing by ${1:-esc} ended the program with status $APP_STATUS, not 0; its stderr: $(head -c 4000 "$APP_ERR")"
    [ ! -s "$APP_ERR" ] || fail "the program wrote to stderr: $(head -c 2000 "$APP_ERR")"
}

case_window()
{
    local geometry title
    geometry=$(xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}')
    [ "$geometry" = 440x320 ] || fail "the window is $geometry, not 440x320"
    title=$(xdotool getwindowname "$WINDOW")
    [ "$title" = "Quillmark V2.0 By:Kestrune" ] || fail "the title is '$title'"

    xdotool windowsize "$WINDOW" 640 480
    wmctrl -i -r "$WINDOW" -e 0,-1,-1,200,150
    # Give the window manager and the program the time to act on both requests.
    xdotool sync 2>/dev/null
    sleep 1
    geometry=$(xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}')
    [ "$geometry" = 440x320 ] || fail "after a resize request the window is $geometry"
    close_and_check
}

case_unknown_arguments()
{
    close_and_check
}

case_close_ok() { close_and_check ok; }
case_close_exit() { close_and_check exit; }
case_close_esc() { close_and_check esc; }
case_close_wm() { close_and_check wm; }

case_colours()
{
    editor_shot "$shot"
    no_colour || fail "the text is coloured before any colour was chosen"
    click 红色
    until_shot 10 red_no_blue || fail "after 红色: $(pixels "$shot" '#FF0000') red and $(pixels "$shot" '#0000FF') blue pixels"
    click 蓝色
    until_shot 10 blue_no_red || fail "after 蓝色: $(pixels "$shot" '#0000FF') blue and $(pixels "$shot" '#FF0000') red pixels"
    click 黑色
    until_shot 10 no_colour || fail "after 黑色 the text is still coloured"
    close_and_check
}

case_bold()
{
    local before
    editor_shot "$shot"
    before=$(dark "$shot")
    [ "$before" -gt 500 ] || fail "the editor shows no text ($before dark pixels)"
    click 粗体
    until_shot 10 bolder_than "$before" || fail "bold: $(dark "$shot") dark pixels, $before before"
    click 粗体
    until_shot 10 same_as_start || fail "unticking 粗体 did not bring the text back"
    close_and_check
}

case_clear()
{
    click 粗体 斜体 下划线 红色
    until_shot 10 red_no_blue || fail "styling did not show"
    click "清 除"
    until_shot 10 same_as_start || fail "after 清 除 the text is not black and plain again ($(pixels "$shot" '#FF0000') red pixels, $(dark "$shot") dark against $(dark "$start"))"
    close_and_check
}

# Focus starts on 粗体; Tab moves along the check boxes and on to the chosen colour, where the
# arrow keys move the choice. The result must look exactly like the same choices made by mouse.
case_keyboard()
{
    local before
    xdotool windowactivate --sync "$WINDOW"
    before=$(dark "$start")
    xdotool key space
    until_shot 10 bolder_than "$before" || fail "Space on 粗体 did not make the text bold"
    cp "$shot" "$XDG_RUNTIME_DIR/bold.png"
    xdotool key Tab space
    until_shot 10 differs_from "$XDG_RUNTIME_DIR/bold.png" || fail "Tab, Space did not make it italic"
    cp "$shot" "$XDG_RUNTIME_DIR/italic.png"
    xdotool key Tab space
    until_shot 10 differs_from "$XDG_RUNTIME_DIR/italic.png" || fail "Tab, Space did not underline it"
    xdotool key Tab Right
    until_shot 10 red_no_blue || fail "Tab, Right did not choose red"
    cp "$shot" "$XDG_RUNTIME_DIR/keyboard.png"
    xdotool key Right
    until_shot 10 blue_no_red || fail "Right did not move the choice on to blue"
    xdotool key Left
    until_shot 10 red_no_blue || fail "Left did not move the choice back to red"

    click "清 除"
    until_shot 10 same_as_start || fail "清 除 did not bring the text back"
    click 粗体 斜体 下划线 红色
    until_shot 10 same_as "$XDG_RUNTIME_DIR/keyboard.png" || fail "the same styling by keyboard and by mouse looks different"
    close_and_check
}

# A whole session under valgrind's memcheck: every style control, Clear, typing, and Esc. Fails
# on any error and on any definitely lost block that tests/valgrind.supp does not excuse.
case_memcheck()
{
    click 粗体 斜体 下划线 红色 蓝色 黑色 蓝色
    until_shot 60 blue_no_red || fail "the styling did not show"
    click "清 除"
    until_shot 60 same_as_start || fail "清 除 did not bring the text back"
    click editor
    xdotool type --delay 50 "Quillmark"
    until_shot 60 differs_from "$start" || fail "typing did not show"
    close_and_check esc
    grep -E 'ERROR SUMMARY|definitely lost:|indirectly lost:|possibly lost:|suppressed:' "$FAIL_LOG"
}

same_as_start() { same_as "$start"; }

declare -F "case_$name" >/dev/null || fail "no such case"
start_session || fail "the desktop session did not start"
shot=$XDG_RUNTIME_DIR/editor.png
start=$XDG_RUNTIME_DIR/start.png
launcher=()
args=()
[ "$name" = unknown_arguments ] && args=(--no-such-option -x stray)
if [ "$name" = memcheck ]; then
    FAIL_LOG=$XDG_RUNTIME_DIR/valgrind.log
    launcher=(valgrind --log-file="$FAIL_LOG" --error-exitcode=42 --leak-check=full
        --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=40
        --child-silent-after-fork=yes --suppressions="$(dirname "$0")/valgrind.supp")
    # The program draws no OpenGL; without this Qt loads Mesa's GLX driver, whose dlopen trips
    # a false "invalid read" inside the dynamic loader under this valgrind.
    export QT_XCB_GL_INTEGRATION=none
    APP_TIMEOUT=180 EXIT_TIMEOUT=180
fi
start_app "${launcher[@]}" "$program" "${args[@]}" || fail "the window did not appear: $(head -c 2000 "$APP_ERR")"
editor_shot "$start"
"case_$name"
echo "PASS [$name]"
