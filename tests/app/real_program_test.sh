#!/usr/bin/env bash
# Starts the built program under a virtual X server in a throw-away working
# folder and settings folder, drives it from the keyboard as a user would, and
# checks what it leaves behind. Exits 77 (skipped) where no virtual X server or
# xdotool is installed.
#
# Usage: real_program_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/real_program_common.sh"

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
