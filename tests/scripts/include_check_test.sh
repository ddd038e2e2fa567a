#!/usr/bin/env bash
# The include check passes on the real tree and fails on copies with planted violations.
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
check="$repo/scripts/check-includes.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # name expected-status expected-text tree
    local name=$1 want=$2 text=$3 tree=$4 out status
    out=$("$check" "$tree" 2>&1)
    status=$?
    if [[ $status -ne $want ]] || ! grep -qF -- "$text" <<<"$out"; then
        echo "FAIL $name: status $status (wanted $want), output:"
        echo "$out" | head -20
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}

copy_tree() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    (cd "$repo" && cp -r src tests bench fuzz "$work/tree/")
}

expect "real tree" 0 "every include is allowed" "$repo"

# A lower layer reaching up.
copy_tree
printf '#include "bars/model/Bar.h"\n' >>"$work/tree/src/base/Component.cpp"
expect "base includes bars" 1 "src/base/Component.cpp:" "$work/tree"

# The toolkit outside its backend.
copy_tree
printf '#include <gtk/gtk.h>\n' >>"$work/tree/src/app/main.cpp"
expect "app includes gtk" 1 "includes <gtk/gtk.h>" "$work/tree"

# A sibling's subfolder that the rules do not name, with odd spacing.
copy_tree
printf '#  include   "platform_gtk/GtkPlatform.h"\n' >>"$work/tree/src/ui/Window.cpp"
expect "ui includes the gtk backend" 1 "src/ui/Window.cpp:" "$work/tree"

# A folder with no rules at all.
copy_tree
mkdir -p "$work/tree/src/newlayer" && printf '#include "base/Component.h"\n' >"$work/tree/src/newlayer/x.cpp"
rm -f "$work/tree/src/DEPS"
expect "folder without rules" 1 "no DEPS file" "$work/tree"

# A malformed rule is an error of its own.
copy_tree
printf 'allow everything\n' >>"$work/tree/src/base/DEPS"
expect "malformed rule" 2 "expected 'include FOLDER'" "$work/tree"

if ((failures > 0)); then
    echo "$failures case(s) failed"
    exit 1
fi
echo "include check cases: all passed"
