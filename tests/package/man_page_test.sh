#!/usr/bin/env bash
# The manual page made at build time documents every option of the program's --help and
# formats without a warning.
# Usage: man_page_test.sh PROGRAM MAN_PAGE_GZ
set -uo pipefail
program=$1 page=$2
if [ ! -f "$page" ]; then
  echo "SKIPPED: no manual page at $page (help2man was not installed when the build was configured)"
  exit 77
fi
text=$(gzip -dc "$page") || { echo "FAILED: $page does not decompress"; exit 1; }
fail=0
options=$(ASAN_OPTIONS=detect_leaks=0 "$program" --help | grep -oE '^ +--[a-z-]+' | tr -d ' ')
[ -n "$options" ] || { echo "FAILED: $program --help names no options"; exit 1; }
for option in $options; do
  # groff writes a hyphen in an option as \-.
  grep -qF -- "${option//-/\\-}" <<<"$text" || { echo "FAILED: the manual page lacks $option"; fail=1; }
done
version=$(ASAN_OPTIONS=detect_leaks=0 "$program" --version)
grep -qF "${version#Lindora }" <<<"$(grep '^\.TH' <<<"$text")" ||
  { echo "FAILED: the page's title line does not carry the version of \"$version\""; fail=1; }
if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { printf '%s\n' "$warnings"; echo "FAILED: the page formats with warnings"; fail=1; }
fi
[ $fail -eq 0 ] && echo "The manual page documents: ${options//$'\n'/ }"
exit $fail
