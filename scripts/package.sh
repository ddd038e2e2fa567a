#!/usr/bin/env bash
# Builds the Debian package: a release build of the program alone in build/package (reused
# by later runs), then cpack. Prints the package's path on its last line.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build/package}
for tool in cmake cpack dpkg-buildflags dpkg-shlibdeps help2man gzip; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing (scripts/deps.sh --package installs it)" >&2; exit 1; }
done

# Debian's hardening flags (stack protector, fortified functions, full RELRO, bind now).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DLINDORA_TESTS=OFF -DLINDORA_BENCH=OFF -DLINDORA_SANITIZE=OFF \
  "-DCMAKE_CXX_FLAGS=$CXXFLAGS" "-DCMAKE_C_FLAGS=$CFLAGS" \
  "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target lindora lindora_package_files
rm -f "$BUILD"/lindora_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
ls "$BUILD"/lindora_*.deb
