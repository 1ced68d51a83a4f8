#!/usr/bin/env bash
# The real program in each language: English where the environment prefers
# it, Chinese under the C locale and in Chinese, and the language chosen in
# the "语言 / Language" menu over the environment's from the next start.
# Exits 77 (skipped) where no virtual X server or xdotool is installed.
#
# Usage: real_program_languages_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/real_program_common.sh"

english_caption='Qingwu Apothecary Guild Plague Zone Planner'
mkdir -p "$scratch/work" "$(dirname "$settings")"
cp "$examples/Virus.dat" "$examples/Heroes.dat" "$scratch/work/"

# Starts the program with LANG=$1, checks that its window is captioned $2
# and leaves it with Escape. The window is found by the program's process:
# xdotool's own search by name reads the caption in its locale, which under
# LANG=C is not the program's.
# The program's window captioned $1, or its first window for "", waiting up
# to ten seconds for it.
program_window() {
    local id name
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true); do
            name=$(xdotool getwindowname "$id" 2>/dev/null || true)
            if [ -z "$1" ] || [ "$name" = "$1" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    fail "no window '$1'; the program wrote: $(cat "$scratch/program.log")"
}

# Sends keys to the program's window captioned $1.
keys_to_program() {
    local window
    window=$(program_window "$1")
    xdotool windowfocus --sync "$window"
    sleep 0.3
    shift
    xdotool key --clearmodifiers "$@"
}

expect_caption() {
    LANG=$1 start_program
    local window
    window=$(program_window "")
    local shown
    shown=$(xdotool getwindowname "$window")
    [ "$shown" = "$2" ] || fail "under LANG=$1 the window is captioned '$shown', not '$2'"
    xdotool windowfocus --sync "$window"
    sleep 0.3
    xdotool key --clearmodifiers Escape
    wait_for_exit
}

echo "LANG=en_US.UTF-8: English."
expect_caption en_US.UTF-8 "$english_caption"
echo "LANG=C: Chinese."
expect_caption C "$caption"
echo "LANG=zh_CN.UTF-8: Chinese."
expect_caption zh_CN.UTF-8 "$caption"
echo "LANGUAGE=de:en before LANG=de_DE.UTF-8: English, the first language the program speaks."
LANGUAGE=de:en expect_caption de_DE.UTF-8 "$english_caption"

echo "English chosen in the menu (Alt+H, the language menu, English): Chinese until the next start."
LANG=zh_CN.UTF-8 start_program
keys_to_program "$caption" alt+h
sleep 0.3
xdotool key --clearmodifiers l
sleep 0.3
xdotool key --clearmodifiers e
# The note that the choice applies from the next start, in Chinese still.
keys_to_program "语言" Return
keys_to_program "$caption" Escape
wait_for_exit
[ "$(sed -n 's/^Language=//p' "$settings")" = 2 ] || fail "the choice was not remembered: $(cat "$settings")"
expect_caption zh_CN.UTF-8 "$english_caption"
expect_caption C "$english_caption"
echo "PASSED"
