#!/usr/bin/env bash
# Installs what is missing, builds Kolvane and runs every test inside a private
# virtual desktop (Xvfb 1920x1080x24, openbox, trayer, PulseAudio null sink).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh --test
./scripts/build.sh
./scripts/with-desktop.sh ctest --test-dir "${KOLVANE_BUILD_DIR:-build}" --output-on-failure -j2 "$@"
