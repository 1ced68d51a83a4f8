#!/usr/bin/env bash
# The launcher the desktop entry starts: which guild folder it picks, how it
# seeds a new one, that it never overwrites a guild, and that it refuses
# clearly when it cannot. A stand-in planner records where it was started.
#
# Usage: launcher_test.sh QUORVEL_LAUNCH EXAMPLES_FOLDER
set -euo pipefail

launcher=$(realpath "$1")
examples=$(realpath "$2")
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

# Records its working folder and arguments, and exits with $STAND_IN_EXIT.
cat >"$scratch/planner" <<'PLANNER'
#!/bin/sh
pwd >"$STAND_IN_LOG"
for argument in "$@"; do printf '%s\n' "$argument" >>"$STAND_IN_LOG"; done
exit "${STAND_IN_EXIT:-0}"
PLANNER
chmod +x "$scratch/planner"

export STAND_IN_LOG="$scratch/started"
export QUORVEL_PROGRAM="$scratch/planner"
export QUORVEL_SAMPLE_GUILD="$examples"
export HOME="$scratch/home"
unset XDG_DATA_HOME QUORVEL_GUILD_DIR
mkdir -p "$HOME"

# Runs the launcher with the environment changes given as NAME=VALUE words
# before `--`; its status goes to $status, its standard error to $scratch/err.
launch() {
    local settings=()
    while [ "$1" != -- ]; do
        settings+=("$1")
        shift
    done
    shift
    rm -f "$STAND_IN_LOG"
    status=0
    env "${settings[@]}" "$launcher" "$@" 2>"$scratch/err" >"$scratch/out" || status=$?
}

started_in() {
    [ -f "$STAND_IN_LOG" ] || fail "the planner was not started; the launcher said: $(cat "$scratch/err")"
    [ "$(head -n 1 "$STAND_IN_LOG")" = "$1" ] || fail "the planner ran in $(head -n 1 "$STAND_IN_LOG"), not $1"
}

holds_sample_guild() {
    cmp -s "$examples/Virus.dat" "$1/Virus.dat" || fail "$1/Virus.dat is not the sample's"
    cmp -s "$examples/Heroes.dat" "$1/Heroes.dat" || fail "$1/Heroes.dat is not the sample's"
    [ "$(ls -A "$1" | wc -l)" -eq 2 ] || fail "files left beside the guild: $(ls -A "$1")"
}

echo "A first start with XDG_DATA_HOME set creates and seeds its quorvel-guild folder."
launch XDG_DATA_HOME="$scratch/data home" -- --some-argument "two words"
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$scratch/err")"
guild="$scratch/data home/quorvel-guild"
holds_sample_guild "$guild"
started_in "$guild"
[ "$(sed -n 2p "$STAND_IN_LOG")" = --some-argument ] && [ "$(sed -n 3p "$STAND_IN_LOG")" = "two words" ] ||
    fail "the arguments did not reach the planner: $(tail -n +2 "$STAND_IN_LOG")"
grep -q "seeded with the sample guild" "$scratch/err" || fail "the new folder was not announced"
[ -w "$guild/Heroes.dat" ] || fail "the seeded data files cannot be saved over"

echo "A later start keeps the user's guild and says nothing."
printf 'edited' >"$guild/Heroes.dat"
launch XDG_DATA_HOME="$scratch/data home" --
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(cat "$guild/Heroes.dat")" = edited ] || fail "the user's Heroes.dat was overwritten"
[ ! -s "$scratch/err" ] || fail "unexpected message: $(cat "$scratch/err")"

echo "A guild with only one data file left is not topped up from the sample."
rm "$guild/Virus.dat"
launch XDG_DATA_HOME="$scratch/data home" --
[ ! -e "$guild/Virus.dat" ] || fail "Virus.dat was seeded into an existing guild"
started_in "$guild"

echo "A folder with anything in it is not seeded, and no entry of any kind is replaced."
for entry in dangling-heroes dangling-virus other-file; do
    folder="$scratch/kept-$entry"
    mkdir -p "$folder"
    case $entry in
    dangling-heroes) ln -s "$scratch/nowhere/Heroes.dat" "$folder/Heroes.dat" ;;
    dangling-virus) ln -s "$scratch/nowhere/Virus.dat" "$folder/Virus.dat" ;;
    other-file) printf 'notes' >"$folder/notes.txt" ;;
    esac
    before=$(ls -lA "$folder")
    launch QUORVEL_GUILD_DIR="$folder" --
    [ "$status" -eq 0 ] || fail "$entry: exit status $status: $(cat "$scratch/err")"
    started_in "$folder"
    [ "$(ls -lA "$folder")" = "$before" ] || fail "$entry: the folder changed: $(ls -lA "$folder")"
    [ ! -e "$scratch/nowhere" ] || fail "$entry: a file was made through a link"
done
echo "An empty folder that a user made is seeded, and so is one a seeding left half done."
mkdir -p "$scratch/made empty" "$scratch/half done"
cp "$examples/Virus.dat" "$scratch/half done/.Virus.dat.seeding"
launch QUORVEL_GUILD_DIR="$scratch/made empty" --
holds_sample_guild "$scratch/made empty"
launch QUORVEL_GUILD_DIR="$scratch/half done" --
holds_sample_guild "$scratch/half done"

echo "Without XDG_DATA_HOME, and with a relative one, the folder is under ~/.local/share."
launch --
started_in "$HOME/.local/share/quorvel-guild"
holds_sample_guild "$HOME/.local/share/quorvel-guild"
launch XDG_DATA_HOME=relative/data --
started_in "$HOME/.local/share/quorvel-guild"
[ ! -e "$HOME/relative" ] && [ ! -e "$scratch/relative" ] || fail "a relative XDG_DATA_HOME was used"

echo "QUORVEL_GUILD_DIR names the folder itself."
launch QUORVEL_GUILD_DIR="$scratch/own guild" XDG_DATA_HOME="$scratch/data home" --
started_in "$scratch/own guild"
holds_sample_guild "$scratch/own guild"

echo "--folder prepares the folder and prints it, and starts nothing."
launch XDG_DATA_HOME="$scratch/prepared" -- --folder
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(cat "$scratch/out")" = "$scratch/prepared/quorvel-guild" ] || fail "printed '$(cat "$scratch/out")'"
[ ! -e "$STAND_IN_LOG" ] || fail "the planner was started"
holds_sample_guild "$scratch/prepared/quorvel-guild"

echo "The planner's exit status is the launcher's."
launch STAND_IN_EXIT=3 --
[ "$status" -eq 3 ] || fail "exit status $status, not the planner's 3"

echo "A guild folder that cannot be made is refused, and the planner is not started in the wrong place."
printf 'not a folder' >"$scratch/blocked"
launch XDG_DATA_HOME="$scratch/blocked" --
[ "$status" -eq 1 ] || fail "exit status $status"
[ ! -e "$STAND_IN_LOG" ] || fail "the planner was started"
grep -q "cannot create or write the guild folder $scratch/blocked/quorvel-guild" "$scratch/err" ||
    fail "unclear message: $(cat "$scratch/err")"
launch HOME= --
[ "$status" -eq 1 ] && grep -q "HOME" "$scratch/err" || fail "no home folder was not refused: $(cat "$scratch/err")"

echo "A sample guild that cannot be copied leaves no half guild behind."
# Reading /proc/self/mem at offset 0 fails, even for root.
mkdir -p "$scratch/broken sample"
ln -s /proc/self/mem "$scratch/broken sample/Heroes.dat"
cp "$examples/Virus.dat" "$scratch/broken sample/"
launch QUORVEL_SAMPLE_GUILD="$scratch/broken sample" XDG_DATA_HOME="$scratch/half" --
[ "$status" -ne 0 ] || fail "a failed seeding was reported as success"
[ ! -e "$STAND_IN_LOG" ] || fail "the planner was started"
[ -z "$(ls -A "$scratch/half/quorvel-guild")" ] || fail "left behind: $(ls -A "$scratch/half/quorvel-guild")"
rm "$scratch/broken sample/Heroes.dat"
cp "$examples/Heroes.dat" "$scratch/broken sample/"
launch QUORVEL_SAMPLE_GUILD="$scratch/broken sample" XDG_DATA_HOME="$scratch/half" --
holds_sample_guild "$scratch/half/quorvel-guild"

echo "Without a sample guild the planner still starts, on empty tables, and says why."
launch QUORVEL_SAMPLE_GUILD="$scratch/nowhere" XDG_DATA_HOME="$scratch/empty" --
started_in "$scratch/empty/quorvel-guild"
grep -q "no sample guild in $scratch/nowhere" "$scratch/err" || fail "unclear message: $(cat "$scratch/err")"

echo "--help and --version answer without creating, seeding or starting anything."
for option in --help -h --version; do
    launch XDG_DATA_HOME="$scratch/asked" -- "$option" --folder
    [ "$status" -eq 0 ] || fail "$option: exit status $status"
    [ ! -e "$scratch/asked" ] || fail "$option created the guild folder"
    [ ! -e "$STAND_IN_LOG" ] || fail "$option started the planner"
    [ ! -s "$scratch/err" ] || fail "$option wrote to standard error: $(cat "$scratch/err")"
done
launch -- --help
grep -q '^Usage: quorvel-launch' "$scratch/out" && grep -q '^  --folder' "$scratch/out" ||
    fail "no usage: $(cat "$scratch/out")"
launch -- --version
grep -Eq '^quorvel-launch [0-9]+\.[0-9]+\.[0-9]+$' "$scratch/out" || fail "version: $(cat "$scratch/out")"

echo "A missing planner is named."
launch QUORVEL_PROGRAM="$scratch/missing" --
[ "$status" -eq 1 ] && grep -q "no planner at $scratch/missing" "$scratch/err" ||
    fail "status $status: $(cat "$scratch/err")"
echo "PASSED"
