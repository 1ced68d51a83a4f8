#!/usr/bin/env bash
# The built program in a guild folder that others use too, driven from the
# keyboard under a virtual X server: a roster import by quorvel-roster while
# the window is open (merged, or asked about), a second window in the same
# folder (read-only or quit), a recovery file that is a link, one that is
# older than the data files, the export dialog's overwrite question, and a
# pipe picked for import. Exits 77 (skipped) where no virtual X server or
# xdotool is installed.
#
# Usage: real_program_shared_test.sh QUORVEL_EXECUTABLE EXAMPLES_FOLDER QUORVEL_ROSTER
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/real_program_common.sh"
roster=$(realpath "$3")

work="$scratch/work"
csv="$scratch/csv"
mkdir -p "$csv" "$(dirname "$settings")"

fresh_work() {
    rm -rf "$work"
    mkdir -p "$work"
    cp "$examples/Virus.dat" "$examples/Heroes.dat" "$work/"
}

# The CSV row of hero $2 in the guild folder $1, without the quotes round its name.
hero_row() {
    "$roster" export --dir "$1" --heroes - | tr -d '\r"' | sed -n "$(($2 + 1))p"
}

# The id of a window captioned $1 that is not among the ids $2, waiting up
# to ten seconds.
new_window_named() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
            case " $2 " in *" $id "*) ;; *)
                echo "$id"
                return 0
                ;;
            esac
        done
        sleep 0.1
    done
    return 1
}

press_in() {
    xdotool windowfocus --sync "$1"
    sleep 0.3
    shift
    xdotool key --clearmodifiers "$@"
}

echo "1: quorvel-roster imports while the window is open; both edits are in Heroes.dat."
fresh_work
start_program
hero_csv "$csv/window.csv" 1 "1111,1112,1113"
import_heroes "$csv/window.csv"
hero_csv "$csv/tool.csv" 2 "2221,2222,2223"
"$roster" import --dir "$work" --heroes "$csv/tool.csv" 2>/dev/null
keys_to "$caption" Escape
wait_for_exit
[ "$(hero_row "$work" 1)" = "1,改过1,1,1111,1112,1113" ] || fail "the window's edit is lost: $(hero_row "$work" 1)"
[ "$(hero_row "$work" 2)" = "2,改过2,1,2221,2222,2223" ] || fail "the import's edit is lost: $(hero_row "$work" 2)"

echo "1: both changed one hero; the question shows both, and keeping both loses neither."
fresh_work
start_program
import_heroes "$csv/window.csv"
main=$(window_named "$caption")
hero_csv "$csv/tool.csv" 1 "3331,3332,3333"
"$roster" import --dir "$work" --heroes "$csv/tool.csv" 2>/dev/null
keys_to "$caption" Escape
question=$(new_window_named "$caption" "$main") || fail "no question about the hero both changed"
press_in "$question" Escape # keeps both
wait_for_exit
[ "$(hero_row "$work" 1)" = "1,改过1,1,3331,3332,3333" ] || fail "the import's version was replaced: $(hero_row "$work" 1)"
kept=$(find "$work" -name 'Heroes-*.dat' | head -n 1)
[ -n "$kept" ] || fail "this run's version was not kept: $(ls "$work")"
mkdir -p "$scratch/kept" && cp "$kept" "$scratch/kept/Heroes.dat"
[ "$(hero_row "$scratch/kept" 1)" = "1,改过1,1,1111,1112,1113" ] || fail "the kept copy holds $(hero_row "$scratch/kept" 1)"

echo "1: a second window in the folder is told who holds it; Escape quits it, Return opens it read-only."
fresh_work
start_program
first_pid=$program_pid
main=$(window_named "$caption")
(cd "$work" && exec "$program") >"$scratch/second.log" 2>&1 &
second_pid=$!
question=$(new_window_named "$caption" "$main") || fail "the second start asked nothing"
press_in "$question" Escape
for _ in $(seq 100); do kill -0 "$second_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second_pid" 2>/dev/null && fail "Escape did not quit the second start"
wait "$second_pid" || fail "the second start ended with an error"
(cd "$work" && exec "$program") >"$scratch/second.log" 2>&1 &
second_pid=$!
question=$(new_window_named "$caption" "$main") || fail "the second start asked nothing"
press_in "$question" Return
second_main=$(new_window_named "$caption" "$main $question") || fail "no read-only window"
# The read-only window imports and leaves: its changes go to another folder.
program_pid=$second_pid
hero_csv "$csv/second.csv" 2 "4441,4442,4443"
xdotool windowfocus --sync "$second_main"
sleep 0.3
xdotool key --clearmodifiers alt+r
sleep 0.3
xdotool key --clearmodifiers i
answer_file_dialog 导入英雄 "$csv/second.csv"
keys_to 修改英雄信息 Return
press_in "$second_main" Escape
prompt=$(new_window_named "$caption" "$main $second_main") || fail "the read-only window did not ask where its changes go"
mkdir -p "$scratch/elsewhere"
press_in "$prompt" Return # another folder
answer_file_dialog 选择保存数据文件的文件夹 "$scratch/elsewhere"
wait_for_exit
[ "$(hero_row "$scratch/elsewhere" 2)" = "2,改过2,1,4441,4442,4443" ] || fail "the read-only window's changes are lost"
cmp -s "$examples/Heroes.dat" "$work/Heroes.dat" || fail "the read-only window wrote the held folder"
# The first window still holds the folder and saves its own edit.
program_pid=$first_pid
import_heroes "$csv/window.csv"
keys_to "$caption" Escape
wait_for_exit
[ "$(hero_row "$work" 1)" = "1,改过1,1,1111,1112,1113" ] || fail "the holder's edit is lost"

echo "2: a recovery file that is a link is never written through, in the guild folder or the user's."
fresh_work
recovery=$(recovery_file_of "$work")
mkdir -p "$(dirname "$recovery")"
printf 'precious' >"$scratch/victim"
ln -s "$scratch/victim" "$recovery"
# What another user of a shared folder could plant there.
ln -s "$scratch/victim" "$work/Quorvel.recovery"
start_program
import_heroes "$csv/window.csv"
sleep 0.5
[ "$(cat "$scratch/victim")" = precious ] || fail "the recovery file was written through its link"
keys_to "$caption" Escape
wait_for_exit
[ "$(cat "$scratch/victim")" = precious ] || fail "the link's target was changed at exit"
[ -z "$(find "$work" -name '*.recovery' -not -type l)" ] || fail "a recovery file in the guild folder"
rm -f "$recovery"

echo "6: a recovery file older than the data files is still offered."
fresh_work
recovery=$(recovery_file_of "$work")
start_program
import_heroes "$csv/window.csv"
sleep 0.5
[ -f "$recovery" ] || fail "no recovery file after a confirmed edit"
kill -KILL "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
touch -d '+1 hour' "$work/Virus.dat" "$work/Heroes.dat" # a clock that ran ahead, or an import
start_program
keys_to "$caption" Return # the question: restore (the default)
main=$(new_window_named "$caption" none) || fail "no window after the question"
sleep 0.5
keys_to "$caption" Escape
wait_for_exit
[ "$(hero_row "$work" 1)" = "1,改过1,1,1111,1112,1113" ] || fail "the recovered edit is lost: $(hero_row "$work" 1)"
[ ! -e "$recovery" ] || fail "the recovery file is left after the save"

echo "4: typing a name without .csv in the export dialog asks before replacing NAME.csv."
fresh_work
mkdir -p "$scratch/out"
printf 'precious' >"$scratch/out/roster.csv"
start_program
main=$(window_named "$caption")
keys_to "$caption" alt+r
sleep 0.3
xdotool key --clearmodifiers e
dialog=$(window_named 导出英雄) || fail "no export dialog"
answer_file_dialog 导出英雄 "$scratch/out/roster"
overwrite=$(new_window_named 导出英雄 "$dialog") || true
[ "$(cat "$scratch/out/roster.csv")" = precious ] || fail "roster.csv was replaced without a question"
[ -n "$overwrite" ] || fail "no question about replacing roster.csv"
press_in "$overwrite" Escape # do not replace
sleep 0.3
press_in "$dialog" Escape
sleep 0.3
[ "$(cat "$scratch/out/roster.csv")" = precious ] || fail "roster.csv was replaced after No"
keys_to "$caption" Escape
wait_for_exit

echo "8: a pipe picked for import is refused at once; the window does not freeze."
fresh_work
mkfifo "$work/pipe.csv"
start_program
main=$(window_named "$caption")
keys_to "$caption" alt+r
sleep 0.3
xdotool key --clearmodifiers i
dialog=$(window_named 导入英雄) || fail "no import dialog"
answer_file_dialog 导入英雄 "$work/pipe.csv"
told=$(new_window_named 导入英雄 "$dialog") || fail "the pipe froze the window (no message)"
press_in "$told" Return
keys_to "$caption" Escape
wait_for_exit
echo "PASSED"
