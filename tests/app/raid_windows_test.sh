#!/usr/bin/env bash
# Starts the built program under a virtual X server on the sample guild and
# drives its menu bar from the keyboard: Ctrl+L opens the zone overview, and
# after a search Ctrl+Shift+C puts the plan, with its six names, on the
# clipboard. Exits 77 (skipped) where Xvfb, xdotool or xclip is missing.
#
# Usage: raid_windows_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER
set -euo pipefail

# The overview opens beside the main window: a screen wide enough for both.
extra_tools=xclip
screen_size=1280x900x24
# shellcheck source=real_program_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/real_program_common.sh"

mkdir -p "$scratch/work" "$(dirname "$settings")"
cp "$examples/Virus.dat" "$examples/Heroes.dat" "$scratch/work/"
# Level 36, the first hero leading, 3 rounds with 1 crit (position 10 by win
# chance): a level the sample guild beats.
printf '[Last%%20Select]\nVirus=35\nHero=0\nPlan=10\nTopmost=0\nPlanOrder=1\n' >"$settings"

start_program

echo "Ctrl+L opens the zone overview."
keys_to "$caption" ctrl+l
window_named '关卡总览' >/dev/null || fail "Ctrl+L opened no window captioned 关卡总览"

# The clipboard once its first line matches $1, or as it is after ten
# seconds: a slow machine (or the sanitizer build) may take longer than any
# fixed pause to search and copy.
clipboard_once() {
    local text=
    for _ in $(seq 100); do
        text=$(xclip -selection clipboard -o 2>/dev/null || true)
        head -n 1 <<<"$text" | grep -q "$1" && break
        sleep 0.1
    done
    printf '%s\n' "$text"
}

echo "Enter searches; Ctrl+Shift+C copies the plan."
keys_to "$caption" Return
sleep 0.5
keys_to "$caption" ctrl+shift+c
clipboard=$(clipboard_once '^第36关')
[ -n "$clipboard" ] || fail "the clipboard is empty after Ctrl+Shift+C"
echo "$clipboard" | head -n 1 | grep -q '^第36关' || fail "the copy does not start with the level: $clipboard"
names=$(echo "$clipboard" | grep -c '^[1-6]\. ' || true)
[ "$names" -eq 6 ] || fail "the copy holds $names heroes, not six: $clipboard"

echo "The overview takes input beside the modal main window: Enter on its first cell shows that plan."
keys_to '关卡总览' Tab ctrl+Home Return
sleep 0.5
keys_to "$caption" ctrl+shift+c
clipboard=$(clipboard_once '^第01关')
echo "$clipboard" | head -n 1 | grep -q '^第01关' || fail "Enter in the overview did not show level 1: $clipboard"

keys_to "$caption" Escape
wait_for_exit
echo "PASSED"
