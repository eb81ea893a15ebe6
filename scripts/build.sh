#!/usr/bin/env bash
# Configures and builds Kolvane into build/ (the working program folder).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${KOLVANE_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${KOLVANE_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
