#!/usr/bin/env bash
# Configures and builds Kolvane into build/ (the working program folder).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${KOLVANE_BUILD_DIR:-build}"
launcher=()
# Several checkouts on one machine rebuild mostly the same files; ccache shares them.
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD"
  # Worktrees of one repository build the same files in other folders; with debug
  # information ccache would tell them apart by folder and share nothing.
  export CCACHE_NOHASHDIR=1
fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${KOLVANE_BUILD_TYPE:-RelWithDebInfo}" "${launcher[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
