#!/usr/bin/env bash
# Installs what is missing, builds Kolvane and starts it in the current X11 or Wayland
# session.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kolvane needs a graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  exit 1
fi
./scripts/install-deps.sh
./scripts/build.sh
exec ./build/kolvane "$@"
