#!/usr/bin/env bash
# Checks that every source includes only what its folder may use.
#
# Each folder under src/ (and tests/, bench/, fuzz/) carries a DEPS file or follows the DEPS
# file of the nearest folder above it. A DEPS file has one rule a line:
#   include FOLDER    quoted includes of FOLDER/... (and its subfolders) are allowed
#   system PREFIX     <PREFIX...> is allowed, for the toolkit headers this script watches
# A folder may always include its own files and its subfolders'. Blank lines and # comments
# are skipped.
#
# Usage: scripts/check-includes.sh [ROOT]   (ROOT defaults to the repository)
# Prints each violation as FILE:LINE: message; exits 1 when there is any, 2 on a bad DEPS file.
set -euo pipefail
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root"

find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cc' \) 2>/dev/null | sort |
awk '
BEGIN {
    # System headers that belong to one layer only: the toolkit, the drawing libraries, X.
    watched = "^(gtk|gdk|gdk-pixbuf|webkit2|webkit|jsc|canberra|X11|gio|glib|cairo|pango|fontconfig|ft2build|freetype)"
    violations = 0; missing = 0
}
function exists(path,    line, r) {
    r = (getline line < path)
    if (r >= 0) close(path)
    return r >= 0
}
# The DEPS file a folder follows, loaded once.
function depsFor(dir,    d) {
    if (dir in depsOf) return depsOf[dir]
    d = dir
    while (1) {
        if (exists(d "/DEPS")) { load(d "/DEPS"); depsOf[dir] = d "/DEPS"; return depsOf[dir] }
        if (index(d, "/") == 0) break
        sub(/\/[^\/]*$/, "", d)
    }
    depsOf[dir] = ""
    return ""
}
function load(file,    line, n, f, lineno) {
    if (file in loaded) return
    loaded[file] = 1
    lineno = 0
    while ((getline line < file) > 0) {
        lineno++
        sub(/#.*/, "", line)
        n = split(line, f, /[ \t]+/)
        if (n > 0 && f[1] == "") { for (i = 1; i < n; i++) f[i] = f[i + 1]; n-- }
        if (n > 0 && f[n] == "") n--
        if (n == 0) continue
        if (n != 2 || (f[1] != "include" && f[1] != "system")) {
            printf "%s:%d: expected '\''include FOLDER'\'' or '\''system PREFIX'\''\n", file, lineno > "/dev/stderr"
            bad = 1
            continue
        }
        sub(/\/$/, "", f[2])
        rules[file] = rules[file] f[1] " " f[2] "\n"
    }
    close(file)
}
function allowed(file, kind, target,    n, r, i, p) {
    n = split(rules[file], r, "\n")
    for (i = 1; i <= n; i++) {
        if (r[i] == "") continue
        split(r[i], p, " ")
        if (p[1] != kind) continue
        if (kind == "include" && (target == p[2] || index(target, p[2] "/") == 1)) return 1
        if (kind == "system" && index(target, p[2]) == 1) return 1
    }
    return 0
}
{
    src = $0
    dir = src; sub(/\/[^\/]*$/, "", dir)
    deps = depsFor(dir)
    if (deps == "") { printf "%s: no DEPS file in its folder or above\n", src > "/dev/stderr"; missing = 1; next }
    own = dir; sub(/^(src|tests)\//, "", own)
    lineno = 0
    while ((getline line < src) > 0) {
        lineno++
        if (line !~ /^[ \t]*#[ \t]*include/) continue
        if (match(line, /"[^"]+"/)) {
            path = substr(line, RSTART + 1, RLENGTH - 2)
            if (index(path, "/") == 0) continue  # a file beside the source (generated includes)
            folder = path; sub(/\/[^\/]*$/, "", folder)
            if (folder == own || index(folder, own "/") == 1) continue
            if (!allowed(deps, "include", folder)) {
                printf "%s:%d: includes \"%s\", but %s does not allow %s\n", src, lineno, path, deps, folder > "/dev/stderr"
                violations++
            }
        } else if (match(line, /<[^>]+>/)) {
            path = substr(line, RSTART + 1, RLENGTH - 2)
            if (path !~ watched) continue
            if (!allowed(deps, "system", path)) {
                printf "%s:%d: includes <%s>, but %s does not allow it\n", src, lineno, path, deps > "/dev/stderr"
                violations++
            }
        }
    }
    close(src)
}
END {
    if (bad) exit 2
    if (violations > 0 || missing) { printf "include check: %d violation(s)\n", violations > "/dev/stderr"; exit 1 }
    print "include check: every include is allowed"
}'
