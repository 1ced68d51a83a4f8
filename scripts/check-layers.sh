#!/usr/bin/env bash
# Fails when a source file includes a header of a layer its folder may not
# use. Layers, each using only those listed for it (and its own folder):
#   engine            standard C++ only: no Qt header, no other layer
#   texts, session    engine
#   storage           engine, texts
#   resources         nothing
#   ui/common         resources
#   ui/editors        ui/common, resources, storage, texts, engine
#   ui/main           ui/editors and everything ui/editors may use, session
#   app               every layer above (the executable's main.cpp opens the
#                     main window)
# No file outside engine/ and the engine's white-box tests names
# engine/internal/. Usage: check-layers.sh [source root]
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$root"

declare -A allowed=(
    [engine]="engine"
    [texts]="texts engine"
    [session]="session engine"
    [storage]="storage texts engine"
    [resources]="resources"
    [ui/common]="ui/common resources"
    [ui/editors]="ui/editors ui/common resources storage texts engine"
    [ui/main]="ui/main ui/editors ui/common resources storage texts session engine"
    [app]="app ui/main ui/editors ui/common resources storage texts session engine"
)
# Folders whose code is standard C++ only.
qt_free="engine tools/rosters"

# The layer a quoted include names: its first folder, two for ui/.
layer_of() {
    case $1 in
    ui/*/*) echo "${1%%/*}/$(echo "$1" | cut -d/ -f2)" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
    esac
}

faults=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    while IFS= read -r -d '' file; do
        while IFS= read -r included; do
            # The version header is generated into the build tree.
            [ "$included" = QuorvelVersion.h ] && continue
            layer=$(layer_of "$included")
            if [ -z "$layer" ] || [[ " ${allowed[$folder]} " != *" $layer "* ]]; then
                echo "$file: includes \"$included\", which $folder may not use"
                faults=$((faults + 1))
            fi
        done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file")
    done < <(find "$folder" \( -name '*.h' -o -name '*.cpp' \) -print0)
done

for folder in $qt_free; do
    [ -d "$folder" ] || continue
    while IFS= read -r line; do
        echo "$line: Qt in code that must be standard C++ only"
        faults=$((faults + 1))
    done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$folder" | cut -d: -f1,2 || true)
done

while IFS= read -r line; do
    echo "$line: the engine's internal headers are the engine's own"
    faults=$((faults + 1))
done < <(grep -rnE --include='*.h' --include='*.cpp' '#[[:space:]]*include[[:space:]]*"engine/internal/' . |
    grep -vE '^\./(engine|tests/engine)/' | grep -vE '^\./build' | cut -d: -f1,2 || true)

if [ "$faults" -gt 0 ]; then
    echo "$faults include(s) cross a layer boundary"
    exit 1
fi
echo "every include stays within its layer's reach"
