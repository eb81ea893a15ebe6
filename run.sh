#!/usr/bin/env bash
# Installs what is missing, builds Kolvane and starts it on the current X display.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ]; then
  echo "Kolvane needs an X11 session (DISPLAY is not set); under Wayland run it through XWayland." >&2
  exit 1
fi
./scripts/install-deps.sh
./scripts/build.sh
exec ./build/kolvane "$@"
