#!/usr/bin/env bash
# A real spreadsheet in the loop: the hero roster, with names a spreadsheet
# would run as a formula or turn into a number, date or truth value, goes
# through LibreOffice Calc and back, in UTF-8 and in GB18030:
#   - exported by quorvel-roster, opened by Calc (headless) with the encoding
#     named and "Format quoted field as text" on, no cell is a formula and
#     every name is kept: saved again as CSV by Calc and imported, the data
#     file is byte for byte what it was;
#   - opened with Calc's default settings, no cell is a formula either.
# Exits 77 (skipped) where LibreOffice is not installed.
# Usage: spreadsheet_roundtrip_test.sh QUORVEL_ROSTER EXAMPLES_DIR
set -euo pipefail
# The texts checked here are the Chinese ones: the programs speak it under
# the C locale, whatever language the machine running the tests prefers.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

roster=$1
examples=$2
if ! command -v soffice >/dev/null; then
    echo "SKIPPED: LibreOffice Calc (soffice) is not installed; install libreoffice-calc to run this check"
    exit 77
fi
command -v iconv >/dev/null || { echo "SKIPPED: iconv is not installed"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home"
mkdir -p "$HOME"
fail() {
    echo "FAILED: $*"
    exit 1
}

# LibreOffice's CSV filter options: separator, quote, character set (76 is
# UTF-8, 85 GB18030), first line, column formats, language, quoted fields as
# text, detect special numbers.
utf8=76
gb18030=85
calc() {
    soffice "-env:UserInstallation=file://$scratch/profile" --headless "$@" >>"$scratch/soffice.log" 2>&1 ||
        fail "soffice $*: $(cat "$scratch/soffice.log")"
}

guild="$scratch/guild"
mkdir -p "$guild"
cp "$examples/Heroes.dat" "$examples/Virus.dat" "$guild/"
# The names as quorvel-roster reads them: a leading apostrophe marks a name
# that a spreadsheet would take for a formula.
{
    printf '序号,名称,勾选,聪明,可爱,不正常\r\n'
    n=0
    while IFS= read -r name; do
        n=$((n + 1))
        printf '%d,"%s",1,%d,%d,%d\r\n' "$n" "$name" "$n" "$((n * 2))" "$((n * 3))"
    done <<'NAMES'
'=1+1
'=A1&""x""
'+86 139
'-3
'@SUM(A1)
''abc
'''
007
1e5
3/4
12:30
50%
TRUE
1,5
a""b
 前后 
二〇二六年
0x1F
NAMES
} >"$scratch/names.csv"
"$roster" import --dir "$guild" --heroes "$scratch/names.csv" 2>"$scratch/import.log" ||
    fail "the names were not imported: $(cat "$scratch/import.log")"
"$roster" export --dir "$guild" --heroes "$scratch/heroes.csv" 2>/dev/null
tail -c +4 "$scratch/heroes.csv" | iconv -f UTF-8 -t GB18030 >"$scratch/heroes-gb.csv"

# Back from Calc: imported into a copy of the guild, the roster is unchanged.
import_back() {
    local csv=$1
    local copy="$scratch/copy-$(basename "$csv")"
    mkdir -p "$copy"
    cp "$examples/Virus.dat" "$guild/Heroes.dat" "$copy/"
    "$roster" import --dir "$copy" --heroes "$csv" 2>"$scratch/back.log" ||
        fail "Calc's $(basename "$csv") was not imported: $(cat "$scratch/back.log")"
    cmp -s "$copy/Heroes.dat" "$guild/Heroes.dat" || {
        "$roster" export --dir "$copy" --heroes "$scratch/changed.csv" 2>/dev/null
        fail "names changed on the way through Calc ($(basename "$csv")):
$(diff "$scratch/heroes.csv" "$scratch/changed.csv" | head -n 20)"
    }
    echo "Calc's $(basename "$csv") imports back to the same roster."
}

no_formula() {
    local sheet=$1
    [ -s "$sheet" ] || fail "Calc wrote no $(basename "$sheet")"
    ! grep -q 'table:formula=' "$sheet" || fail "a cell of $(basename "$sheet") is a formula"
}

started=$(date +%s)
for encoding in utf8 gb18030; do
    source="$scratch/heroes.csv"
    [ "$encoding" = gb18030 ] && source="$scratch/heroes-gb.csv"
    code=${!encoding}
    mkdir -p "$scratch/$encoding"
    calc --infilter="CSV:44,34,$code,1,,0,true,false" --convert-to fods --outdir "$scratch/$encoding" "$source"
    sheet="$scratch/$encoding/$(basename "$source" .csv).fods"
    no_formula "$sheet"
    grep -q '<text:p>007</text:p>' "$sheet" || fail "Calc did not keep 007 as text"
    calc --convert-to "csv:Text - txt - csv (StarCalc):44,34,$code,1" --outdir "$scratch/$encoding/back" "$sheet"
    import_back "$scratch/$encoding/back/$(basename "$source")"
done

# Calc's own defaults (quoted fields not taken as text) still run no formula.
mkdir -p "$scratch/defaults"
calc --infilter="CSV:44,34,$utf8,1" --convert-to fods --outdir "$scratch/defaults" "$scratch/heroes.csv"
no_formula "$scratch/defaults/heroes.fods"
echo "With Calc's default settings no name became a formula either."
echo "LibreOffice round trips took $(($(date +%s) - started)) s."
