#!/usr/bin/env bash
# Sourced by the real-program tests: starts a virtual X server, and gives
# helpers to start the built program in a throw-away working folder and
# settings folder, send it keys and wait for it. Exits 77 (skipped) where no
# virtual X server or xdotool is installed.
#
# Expects $1 = QUORVEL_EXECUTABLE and $2 = EXAMPLES_FOLDER; a test may set
# extra_tools (more commands it needs) and screen_size before it sources this.

# The texts checked here are the Chinese ones: the programs speak it under
# the C locale, whatever language the machine running the tests prefers.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

program=$(realpath "$1")
examples=$(realpath "$2")
caption='青梧药庐公会疫区组队助手'
virus_editor_caption='修改病毒信息'

for tool in Xvfb xdotool ${extra_tools:-}; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
        exit 77
    fi
done

scratch=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

# The server picks a free display number and writes it to fd 3. It keeps
# running as it is when its last client goes (-noreset): a program started
# while it resets could not connect.
Xvfb -displayfd 3 -screen 0 "${screen_size:-1024x768x24}" -nolisten tcp -noreset 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || fail "the virtual X server did not start"
export DISPLAY=":$(cat "$scratch/display")"
for _ in $(seq 100); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool getmouselocation >/dev/null 2>&1 || fail "the virtual X server on $DISPLAY does not answer"
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$scratch/config"
export XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

settings="$XDG_CONFIG_HOME/Quorvel/$(basename "$program").conf"

# The recovery file of the guild folder $1: in the user's data folder, named
# after the first 32 hex digits of the SHA-256 of the folder's canonical path.
recovery_file_of() {
    local digest
    digest=$(printf '%s' "$(realpath -m "$1")" | sha256sum | cut -c1-32)
    echo "$XDG_DATA_HOME/Quorvel/recovery/$digest.recovery"
}

# The window whose caption is exactly $1, waiting up to ten seconds for it.
window_named() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Sends keys to the window with caption $1 once it exists and has the focus.
keys_to() {
    local window
    window=$(window_named "$1") || fail "no window \"$1\"; the program wrote: $(cat "$scratch/program.log")"
    xdotool windowfocus --sync "$window"
    sleep 0.3
    shift
    xdotool key --clearmodifiers "$@"
}

start_program() {
    (cd "$scratch/work" && exec "$program") >"$scratch/program.log" 2>&1 &
    program_pid=$!
}

# Waits up to ten seconds for the program to end and checks its exit code.
wait_for_exit() {
    for _ in $(seq 100); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program_pid" 2>/dev/null && fail "the program did not end; its output: $(cat "$scratch/program.log")"
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    [ "$status" -eq 0 ] || fail "the program ended with $status; its output: $(cat "$scratch/program.log")"
}

setting() {
    sed -n "s/^$1=//p" "$settings"
}

expect_setting() {
    [ "$(setting "$1")" = "$2" ] || fail "setting $1 is '$(setting "$1")', expected '$2'"
}


# Types $2 into the file dialog captioned $1 (its name field has the focus)
# and accepts it.
answer_file_dialog() {
    keys_to "$1" ctrl+a
    xdotool type --delay 15 "$2"
    sleep 0.3
    xdotool key --clearmodifiers Return
}

# Imports the CSV file $1 through the 花名册 menu of the window captioned
# $caption and confirms the hero editor it opens with the rows.
import_heroes() {
    keys_to "$caption" alt+r
    sleep 0.3
    xdotool key --clearmodifiers i
    answer_file_dialog 导入英雄 "$1"
    keys_to 修改英雄信息 Return
}

# A hero roster CSV that changes hero $2 to the stats $3 (聪明,可爱,不正常),
# written to $1.
hero_csv() {
    printf '序号,名称,勾选,聪明,可爱,不正常\r\n%s,改过%s,1,%s\r\n' "$2" "$2" "$3" >"$1"
}
