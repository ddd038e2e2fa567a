#!/usr/bin/env bash
# Installs what is missing, builds Lindora and runs it. Without a display it runs under
# Xvfb and writes a screenshot to lindora.png. Extra arguments go to lindora.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
BUILD=build/release
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINDORA_TESTS=OFF -DLINDORA_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target lindora
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$BUILD/src/app/lindora" "$@"
else
  # No accessibility bus in a bare X session.
  export NO_AT_BRIDGE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/src/app/lindora" --platform gtk --screenshot lindora.png "$@"
fi
