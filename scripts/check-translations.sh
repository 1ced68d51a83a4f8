#!/usr/bin/env bash
# Fails when a translation lags the code: lupdate, run over a copy of each
# .ts file exactly as the update_translations target runs it, must find every
# text of the code already translated (none unfinished), none that the code
# no longer has (none vanished or obsolete), and nothing to warn about (a tr()
# lupdate cannot read is a text that would never be translated).
# Usage: check-translations.sh LUPDATE TS_FILE... -- LUPDATE_ARGUMENT...
set -euo pipefail
lupdate=$1
shift
ts_files=()
while [ "$1" != -- ]; do
    ts_files+=("$1")
    shift
done
shift

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
for ts in "${ts_files[@]}"; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    if ! "$lupdate" "$@" -ts "$copy" >"$work/out" 2>&1; then
        cat "$work/out"
        echo "lupdate failed on $ts"
        faults=$((faults + 1))
        continue
    fi
    if [ -s "$work/out" ]; then
        cat "$work/out"
        echo "$ts: lupdate warns about the code above"
        faults=$((faults + 1))
    fi
    for state in unfinished vanished obsolete; do
        count=$(grep -c "type=\"$state\"" "$copy" || true)
        if [ "$count" -gt 0 ]; then
            echo "$(basename "$ts"): $count $state text(s):"
            grep -B2 "type=\"$state\"" "$copy" | grep -o '<source>.*</source>' | head -20
            faults=$((faults + 1))
        fi
    done
    if ! cmp -s "$ts" "$copy"; then
        echo "$(basename "$ts") is not as update_translations leaves it:"
        diff -u "$ts" "$copy" | head -40
        faults=$((faults + 1))
    fi
done
if [ "$faults" -gt 0 ]; then
    echo "run: cmake --build <build> --target update_translations, then translate what is unfinished"
    exit 1
fi
echo "every text of the code is translated in ${#ts_files[@]} file(s)"
