#!/usr/bin/env bash
# The built program under faults, driven from the keyboard under a virtual X
# server: a settings lock that cannot be taken, the working folder removed
# while the program runs (Escape on the save prompt only ever retries), a
# kill after a confirmed edit followed by a start that offers the recovery
# file, and a file size limit during the save. Exits 77 (skipped) where no
# virtual X server or xdotool is installed.
#
# Usage: real_program_faults_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/real_program_common.sh"

work="$scratch/work"
recovery=$(recovery_file_of "$work")

fresh_work() {
    rm -rf "$work"
    mkdir -p "$work" "$(dirname "$settings")"
    cp "$examples/Virus.dat" "$examples/Heroes.dat" "$work/"
}

# The id of the window captioned $1 that is not $2, waiting up to ten
# seconds: the save prompt carries the main window's caption.
other_window_named() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
            if [ "$id" != "$2" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# Opens the virus editor, confirms it (the tables count as changed) and
# leaves the main window with Escape.
confirm_virus_editor() {
    keys_to "$caption" Tab space
    keys_to "$virus_editor_caption" Return
}

alive() {
    kill -0 "$program_pid" 2>/dev/null
}

echo "Fault 1: a folder stands where the settings lock goes; the exit still saves at once and clears it."
fresh_work
mkdir -p "$settings.lock"
virus_inode=$(stat -c %i "$work/Virus.dat")
start_program
confirm_virus_editor
main=$(window_named "$caption")
started=$(date +%s%N)
keys_to "$caption" Escape
wait_for_exit
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
echo "exit with a folder as the settings lock took ${elapsed_ms} ms"
[ "$elapsed_ms" -lt 5000 ] || fail "the exit took ${elapsed_ms} ms"
[ "$(stat -c %i "$work/Virus.dat")" != "$virus_inode" ] || fail "Virus.dat was not saved"
cmp "$examples/Heroes.dat" "$work/Heroes.dat" || fail "Heroes.dat changed its bytes"
[ ! -e "$settings.lock" ] || fail "the folder in the settings lock's place is still there"

echo "Faults 3 and 7: the working folder is removed; Escape twice on the prompt keeps the edits."
fresh_work
start_program
confirm_virus_editor
main=$(window_named "$caption")
rm -rf "$work"
keys_to "$caption" Escape
for press in 1 2; do
    prompt=$(other_window_named "$caption" "$main") || fail "no save prompt; the program wrote: $(cat "$scratch/program.log")"
    xdotool windowfocus --sync "$prompt"
    sleep 0.3
    xdotool key --clearmodifiers Escape
    sleep 0.5
    alive || fail "Escape number $press on the save prompt ended the program"
done
prompt=$(other_window_named "$caption" "$main") || fail "the save prompt did not come back"
mkdir -p "$work"
xdotool windowfocus --sync "$prompt"
sleep 0.3
xdotool key --clearmodifiers Escape
wait_for_exit
[ -f "$work/Virus.dat" ] && [ -f "$work/Heroes.dat" ] || fail "the folder made again holds: $(ls "$work")"
cmp "$examples/Virus.dat" "$work/Virus.dat" || fail "Virus.dat was not saved whole"
[ ! -e "$recovery" ] || fail "the recovery file is left after the save"

echo "Fault 8: killed after a confirmed edit; the next start offers the recovery file."
fresh_work
old_inode=$(stat -c %i "$work/Heroes.dat")
start_program
# A real edit: a recovery file that holds the data files' own tables has
# nothing to offer.
hero_csv "$scratch/edit.csv" 3 "3331,3332,3333"
import_heroes "$scratch/edit.csv"
window_named "$caption" >/dev/null
sleep 0.3
[ -f "$recovery" ] || fail "no recovery file after a confirmed edit: $(ls -R "$XDG_DATA_HOME")"
kill -KILL "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
[ "$(stat -c %i "$work/Heroes.dat")" = "$old_inode" ] || fail "the data file was written before the exit"
start_program
keys_to "$caption" Return # the question: restore (the default)
main=$(other_window_named "$caption" none) || fail "no window after the question"
sleep 0.5
keys_to "$caption" Escape
wait_for_exit
# Restored tables count as changed even though this run changed nothing.
[ "$(stat -c %i "$work/Heroes.dat")" != "$old_inode" ] || fail "the restored tables were not saved"
[ ! -e "$recovery" ] || fail "the recovery file is left after the save"

echo "Fault 6: a file size limit during the save is a failure told, not a kill."
fresh_work
(ulimit -f 3 && cd "$work" && exec "$program") >"$scratch/program.log" 2>&1 &
program_pid=$!
confirm_virus_editor
main=$(window_named "$caption")
keys_to "$caption" Escape
other_window_named "$caption" "$main" >/dev/null || fail "no save prompt under the limit; the program wrote: $(cat "$scratch/program.log")"
alive || fail "the program was ended by the file size limit"
kill -TERM "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
cmp "$examples/Heroes.dat" "$work/Heroes.dat" || fail "Heroes.dat was torn by the limit"
echo "PASSED"
