#!/usr/bin/env bash
# Starts the built program under a virtual X server on the sample guild and
# drives its menu bar from the keyboard: Ctrl+L opens the zone overview, and
# after a search Ctrl+Shift+C puts the plan, with its six names, on the
# clipboard. Exits 77 (skipped) where Xvfb, xdotool or xclip is missing.
#
# Usage: raid_windows_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER
set -euo pipefail

program=$(realpath "$1")
examples=$(realpath "$2")
caption='青梧药庐公会疫区组队助手'

for tool in Xvfb xdotool xclip; do
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

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
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

keys_to() {
    local window
    window=$(window_named "$1") || fail "no window \"$1\"; the program wrote: $(cat "$scratch/program.log")"
    xdotool windowfocus --sync "$window"
    sleep 0.3
    shift
    xdotool key --clearmodifiers "$@"
}

settings="$XDG_CONFIG_HOME/Quorvel/$(basename "$program").conf"
mkdir -p "$scratch/work" "$(dirname "$settings")"
cp "$examples/Virus.dat" "$examples/Heroes.dat" "$scratch/work/"
# Level 36, the first hero leading, 3 rounds with 1 crit (position 10 by win
# chance): a level the sample guild beats.
printf '[Last%%20Select]\nVirus=35\nHero=0\nPlan=10\nTopmost=0\nPlanOrder=1\n' >"$settings"

(cd "$scratch/work" && exec "$program") >"$scratch/program.log" 2>&1 &
program_pid=$!

echo "Ctrl+L opens the zone overview."
keys_to "$caption" ctrl+l
window_named '关卡总览' >/dev/null || fail "Ctrl+L opened no window captioned 关卡总览"

echo "Enter searches; Ctrl+Shift+C copies the plan."
keys_to "$caption" Return
sleep 0.5
keys_to "$caption" ctrl+shift+c
sleep 0.5
clipboard=$(xclip -selection clipboard -o 2>/dev/null || true)
[ -n "$clipboard" ] || fail "the clipboard is empty after Ctrl+Shift+C"
echo "$clipboard" | head -n 1 | grep -q '^第36关' || fail "the copy does not start with the level: $clipboard"
names=$(echo "$clipboard" | grep -c '^[1-6]\. ' || true)
[ "$names" -eq 6 ] || fail "the copy holds $names heroes, not six: $clipboard"

echo "The overview takes input beside the modal main window: Enter on its first cell shows that plan."
keys_to '关卡总览' Tab ctrl+Home Return
sleep 0.5
keys_to "$caption" ctrl+shift+c
sleep 0.5
clipboard=$(xclip -selection clipboard -o 2>/dev/null || true)
echo "$clipboard" | head -n 1 | grep -q '^第01关' || fail "Enter in the overview did not show level 1: $clipboard"

keys_to "$caption" Escape
for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not end"
wait "$program_pid" || fail "the program ended with an error: $(cat "$scratch/program.log")"
program_pid=
echo "PASSED"
