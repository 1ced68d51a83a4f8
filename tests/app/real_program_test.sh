#!/usr/bin/env bash
# Starts the built program under a virtual X server in a throw-away working
# folder and settings folder, drives it from the keyboard as a user would, and
# checks what it leaves behind. Exits 77 (skipped) where no virtual X server or
# xdotool is installed.
#
# Usage: real_program_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER
set -euo pipefail

program=$(realpath "$1")
examples=$(realpath "$2")
caption='青梧药庐公会疫区组队助手'
virus_editor_caption='修改病毒信息'

for tool in Xvfb xdotool; do
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

# The server picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
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
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

settings="$XDG_CONFIG_HOME/Quorvel/$(basename "$program").conf"

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

mkdir -p "$scratch/work" "$(dirname "$settings")"
cp "$examples/Virus.dat" "$examples/Heroes.dat" "$scratch/work/"
# Remembered choices from an earlier run: level 6, hero 3, strategy 2.
printf '[Last%%20Select]\nVirus=5\nHero=3\nPlan=2\nTopmost=0\nPlanOrder=1\n' >"$settings"
virus_inode=$(stat -c %i "$scratch/work/Virus.dat")
hero_inode=$(stat -c %i "$scratch/work/Heroes.dat")

echo "Run 1: open the window and leave with Escape; nothing is changed."
start_program
keys_to "$caption" Escape
wait_for_exit
[ "$(stat -c %i "$scratch/work/Virus.dat")" = "$virus_inode" ] || fail "Virus.dat was rewritten by a run that changed nothing"
[ "$(stat -c %i "$scratch/work/Heroes.dat")" = "$hero_inode" ] || fail "Heroes.dat was rewritten by a run that changed nothing"
expect_setting Virus 5
expect_setting Hero 3
expect_setting Plan 2

echo "Run 2: open the virus editor (Tab to its button, Space), confirm it with Enter, leave with Escape."
start_program
keys_to "$caption" Tab space
keys_to "$virus_editor_caption" Return
keys_to "$caption" Escape
wait_for_exit
# Confirming the editor marks the tables changed, so both files are saved
# (a new file each, renamed over the old one) with the same bytes, and the
# remembered level goes back to the first.
[ "$(stat -c %i "$scratch/work/Virus.dat")" != "$virus_inode" ] || fail "Virus.dat was not saved"
[ "$(stat -c %i "$scratch/work/Heroes.dat")" != "$hero_inode" ] || fail "Heroes.dat was not saved"
cmp "$examples/Virus.dat" "$scratch/work/Virus.dat" || fail "Virus.dat changed its bytes"
cmp "$examples/Heroes.dat" "$scratch/work/Heroes.dat" || fail "Heroes.dat changed its bytes"
[ "$(find "$scratch/work" -type f | wc -l)" -eq 2 ] || fail "files left beside the data files: $(ls "$scratch/work")"
expect_setting Virus 0
expect_setting Hero 3
expect_setting Plan 2
expect_setting Topmost 0
expect_setting PlanOrder 1
echo "PASSED"
