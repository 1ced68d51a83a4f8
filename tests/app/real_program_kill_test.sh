#!/usr/bin/env bash
# Kills the built program during its exit save, again and again, and checks
# that each data file then holds exactly its old or its new bytes, and that
# once a later save succeeds no temporary file of a killed save is left.
#
# Each round starts the program on old data files with a recovery file of
# other tables; the start offers it, Return restores it, and Escape closes
# the window, so the save writes the restored tables. Every other round
# another program writes Heroes.dat meanwhile, so the save is a merge. The files
# carry long tails, which a save keeps, so a save lasts long enough for kills
# to land inside it. Exits 77 (skipped) where no virtual X server or xdotool
# is installed.
#
# Usage: real_program_kill_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER [ROUNDS]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/real_program_common.sh"

rounds=${3:-50}
work="$scratch/work"
images="$scratch/images"
mkdir -p "$work" "$images" "$(dirname "$settings")"

# Old files: the examples with a 48 MiB tail of random bytes each. New files:
# the other tables (every byte inverted) with the same tails. The recovery
# file is its marker and then both new tables.
head -c $((48 * 1024 * 1024)) /dev/urandom >"$images/tail"
invert() { perl -0777 -pe '$_ = ~$_' "$1"; }
cat "$examples/Virus.dat" "$images/tail" >"$images/Virus.old"
cat "$examples/Heroes.dat" "$images/tail" >"$images/Heroes.old"
invert "$examples/Virus.dat" >"$images/Virus.table"
invert "$examples/Heroes.dat" >"$images/Heroes.table"
cat "$images/Virus.table" "$images/tail" >"$images/Virus.new"
cat "$images/Heroes.table" "$images/tail" >"$images/Heroes.new"
{ printf 'QRVRCV01'; cat "$images/Virus.table" "$images/Heroes.table"; } >"$images/recovery"

# Every other round is a merged save: the recovery file changes only the
# first 64 heroes, and while the window is open another program replaces
# Heroes.dat with one whose last 64 heroes changed (its "theirs" file). The
# merge of the two is the whole new table, so a finished save gives the same
# new file; a killed one must leave the file as the other program wrote it.
{
    printf 'QRVRCV01'
    cat "$images/Virus.table"
    head -c 2048 "$images/Heroes.table"
    tail -c 2048 "$examples/Heroes.dat"
} >"$images/recovery.half"
{
    head -c 2048 "$examples/Heroes.dat"
    tail -c 2048 "$images/Heroes.table"
    cat "$images/tail"
} >"$images/Heroes.theirs"

merged_round() {
    [ $((round % 2)) -eq 0 ]
}

old_or_new() {
    local old="$images/$1.old"
    # In a merged save Heroes.dat's old bytes are the other program's.
    if [ "$1" = Heroes ] && merged_round; then
        old="$images/Heroes.theirs"
    fi
    if cmp -s "$work/$1.dat" "$old"; then
        echo old
    elif cmp -s "$work/$1.dat" "$images/$1.new"; then
        echo new
    else
        fail "round $round: $1.dat holds neither its old nor its new bytes ($(stat -c %s "$work/$1.dat") bytes)"
    fi
}

prepare_round() {
    cp "$images/Virus.old" "$work/Virus.dat"
    cp "$images/Heroes.old" "$work/Heroes.dat"
    touch -d '-1 minute' "$work/Virus.dat" "$work/Heroes.dat"
    mkdir -p "$(dirname "$(recovery_file_of "$work")")"
    if merged_round; then
        cp "$images/recovery.half" "$(recovery_file_of "$work")"
    else
        cp "$images/recovery" "$(recovery_file_of "$work")"
    fi
}

# In a merged round, another program replaces Heroes.dat while the window
# is open.
write_theirs() {
    if merged_round; then
        cp "$images/Heroes.theirs" "$work/.Heroes.theirs"
        mv "$work/.Heroes.theirs" "$work/Heroes.dat"
    fi
}

declare -A outcomes=()
leftovers=0
for round in $(seq "$rounds"); do
    echo "round $round"
    prepare_round
    start_program
    keys_to "$caption" Return
    write_theirs
    sleep 0.4
    keys_to "$caption" Escape
    # Spread the kills over the save: from at once to 300 ms later.
    sleep "0.$(printf '%03d' $((RANDOM % 300)))"
    kill -KILL "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=
    outcome="virus $(old_or_new Virus), heroes $(old_or_new Heroes)"
    merged_round && outcome="merged save: $outcome"
    outcomes[$outcome]=$((${outcomes[$outcome]:-0} + 1))
    found=$(find "$work" -name '*.dat.??????' | wc -l)
    leftovers=$((leftovers + found))
done

echo "$rounds kills during the exit save:"
for outcome in "${!outcomes[@]}"; do
    echo "  $outcome: ${outcomes[$outcome]}"
done
echo "  temporary files left by killed saves: $leftovers"
[ "${outcomes[virus old, heroes new]:-0}" -eq 0 ] && [ "${outcomes[merged save: virus old, heroes new]:-0}" -eq 0 ] ||
    fail "Heroes.dat was saved before Virus.dat"

echo "A save that is left to finish leaves only the data files."
find "$work" -name '*.dat.??????' -print | head
round=1 # a plain save
prepare_round
start_program
keys_to "$caption" Return
sleep 0.4
keys_to "$caption" Escape
wait_for_exit
[ "$(old_or_new Virus)" = new ] && [ "$(old_or_new Heroes)" = new ] || fail "the last save did not finish"
left=$(find "$work" -mindepth 1 -not -name Virus.dat -not -name Heroes.dat)
[ -z "$left" ] || fail "left beside the data files: $left"
echo "PASSED"
