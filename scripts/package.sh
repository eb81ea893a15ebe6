#!/usr/bin/env bash
# Builds Kolvane and its Debian package: build/kolvane_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/kolvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
build_dir="${KOLVANE_BUILD_DIR:-build}"
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/kolvane_*.deb
