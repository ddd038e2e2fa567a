#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh (a release build of its own, reused by
# later runs) and checks it: lintian finds no error, and it holds the program's files only.
# Usage: build_test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
src=$1 build=$2
for tool in cmake cpack dpkg-deb dpkg-buildflags dpkg-shlibdeps help2man lintian; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/deps.sh --package installs it)"
    exit 77
  fi
done

start=$SECONDS
deb=$("$src/scripts/package.sh" "$build" | tail -n1) || { echo "FAILED: scripts/package.sh"; exit 1; }
echo "Built $deb in $((SECONDS - start)) s"
fail=0

name=$(basename "$deb")
[[ $name =~ ^lindora_[0-9][0-9.]*_$(dpkg --print-architecture)\.deb$ ]] ||
  { echo "FAILED: the package is called $name, not lindora_<version>_<arch>.deb"; fail=1; }
dpkg-deb -f "$deb" Depends | grep -q libwebkit2gtk ||
  { echo "FAILED: the package does not declare the libraries it needs: $(dpkg-deb -f "$deb" Depends)"; fail=1; }

# Only the program and its data: no libraries, headers or test programs of the build.
strays=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' |
  grep -vE '^\./usr/(bin/lindora|share/(lindora|applications|icons/hicolor|metainfo|man/man1|doc/lindora)/.+)$')
[ -z "$strays" ] || { echo "FAILED: files outside the program's places:"; echo "$strays"; fail=1; }

# Errors fail the test; the remaining warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges'
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "FAILED: lintian reports errors"; fail=1; }
exit $fail
