#!/usr/bin/env bash
# The layer check itself: a tree where a window helper includes the main
# window, the engine includes Qt and storage includes a window must fail it,
# each fault named; the same tree without them passes.
set -euo pipefail
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/ui/common" "$tree/engine" "$tree/storage"
echo '#include "ui/common/Own.h"' >"$tree/ui/common/Fine.h"
echo '#include "engine/Records.h"' >"$tree/storage/Fine.cpp"
"$check" "$tree" >/dev/null

echo '#include "ui/main/QuorvelDlg.h"' >"$tree/ui/common/Upward.h"
echo '#include <QString>' >"$tree/engine/WithQt.h"
echo '#include "ui/common/MessageBox.h"' >"$tree/storage/Window.cpp"
if output=$("$check" "$tree"); then
    echo "the check passed a tree that crosses three boundaries" >&2
    exit 1
fi
for fault in ui/common/Upward.h engine/WithQt.h storage/Window.cpp; do
    grep -q "^$fault" <<<"$output" || { echo "not named: $fault" >&2; exit 1; }
done
