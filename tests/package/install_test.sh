#!/usr/bin/env bash
# Installs the package built by build_test.sh with apt, runs the installed program (--version
# and an offscreen input script), checks its menu entry, icons, start page, metainfo and
# manual page, purges it and checks that none of its files remain while the user's settings
# stay. The machine is left as it was, also when a check fails.
# Usage: install_test.sh BUILD_DIR
set -uo pipefail
build=$1
skip() {
  echo "SKIPPED: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
if ! command -v dpkg >/dev/null || ! command -v apt-get >/dev/null; then skip "dpkg and apt-get are not available"; fi
# Someone's own copy stays untouched.
state=$(dpkg-query -W -f='${db:Status-Status}' lindora 2>/dev/null)
[ -z "$state" ] || [ "$state" = not-installed ] || skip "a lindora package is on this machine already ($state)"
debs=("$build"/lindora_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAILED: no single package in $build"
  exit 1
fi
deb=$(realpath "${debs[0]}")

fail=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; fail=1; fi
}
# dpkg may be told to leave out documentation (slim container images): such files are not
# looked for. The last matching rule wins, as in dpkg.
unpacked() {
  local path=$1 rule pattern keep=1
  while read -r rule pattern; do
    # shellcheck disable=SC2053  # the rule is a glob
    [[ $path == $pattern ]] || continue
    [ "$rule" = path-exclude ] && keep=0 || keep=1
  done < <(cat /etc/dpkg/dpkg.cfg /etc/dpkg/dpkg.cfg.d/* 2>/dev/null | grep -E '^path-(exclude|include)[[:space:]]')
  [ $keep -eq 1 ] || echo "(dpkg is set to leave out $path)"
  return $((1 - keep))
}
work=$(mktemp -d)
installed=0
# shellcheck disable=SC2317  # run by the trap
cleanup() {
  if [ "$installed" -eq 1 ]; then apt-get purge -y -qq lindora >/dev/null 2>&1; fi
  rm -rf "$work"
}
trap cleanup EXIT
export DEBIAN_FRONTEND=noninteractive

# Everything the package needs must be here already: installing it may not bring anything else.
others=$(apt-get install -s --no-install-recommends "$deb" 2>/dev/null | awk '$1 == "Inst" && $2 != "lindora" {print $2}')
[ -z "$others" ] || { echo "FAILED: installing would also bring: $others"; exit 1; }
installed=1
apt-get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; echo "FAILED: apt-get install"; exit 1; }
dpkg -L lindora >"$work/files"

# The program on the PATH, with the package's version.
check "lindora is /usr/bin/lindora" test "$(command -v lindora)" = /usr/bin/lindora
version=$(dpkg-deb -f "$deb" Version)
check "lindora --version says $version" test "$(lindora --version 2>&1)" = "Lindora $version"

# A user's run on the offscreen backend: the installed start page, a picture, settings saved.
home=$work/home
mkdir -p "$home"
cat >"$work/script.txt" <<SCRIPT
key F10
key Escape
wait 500
screenshot $work/shot.png
close
SCRIPT
(cd "$work" && env -u XDG_CONFIG_HOME -u LINDORA_REGISTRY_DIR -u LINDORA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY \
  HOME="$home" lindora --platform offscreen --script script.txt --record record.txt >run.log 2>&1)
rc=$?
cat "$work/run.log"
check "the scripted run ends with status 0 (was $rc)" test $rc -eq 0
check "the start page is the installed one" \
  grep -qxF 'browser-navigate "file:///usr/share/lindora/index.htm"' "$work/record.txt"
check "the script's screenshot is a PNG" bash -c "head -c 8 '$work/shot.png' | od -An -c | grep -q 'P   N   G'"
settings=$home/.config/lindora/user.reg
check "the settings are saved under \$HOME" test -s "$settings"

# What the desktop shows: the menu entry, whose program and icon are there, the metainfo, the
# manual page and Debian's copyright file.
desktop=/usr/share/applications/com.quintvel.Lindora.desktop
check "the menu entry is installed" test -f "$desktop"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 24 32 48 64 128 256; do
  check "the ${size}px icon is installed" test -f "/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
done
program=$(sed -n 's/^TryExec=//p' "$desktop")
check "the menu entry's program $program is on the PATH" test "$(command -v "$program")" = /usr/bin/lindora
check "the start page is installed" test -f /usr/share/lindora/index.htm
check "the metainfo names the menu entry" grep -q '<launchable type="desktop-id">com.quintvel.Lindora.desktop<' \
  /usr/share/metainfo/com.quintvel.Lindora.metainfo.xml
man_page=/usr/share/man/man1/lindora.1.gz
! unpacked $man_page || check "the manual page is found by man" test "$(man -w lindora 2>/dev/null)" = $man_page
! unpacked /usr/share/doc/lindora/copyright ||
  check "the copyright file is installed" test -f /usr/share/doc/lindora/copyright

# Purging takes every file of the package and leaves the user's settings.
apt-get purge -y -qq lindora >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; echo "FAILED: apt-get purge"; exit 1; }
installed=0
check "the package is gone" test -z "$(dpkg-query -W -f='${db:Status-Status}' lindora 2>/dev/null | grep -v not-installed)"
left=""
while IFS= read -r path; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  # Directories shared with other packages stay.
  [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  left+="$path"$'\n'
done <"$work/files"
check "no file of the package remains${left:+: $left}" test -z "$left"
check "lindora is no longer on the PATH" bash -c '! command -v lindora'
check "the user's settings stay" test -s "$settings"
exit $fail
