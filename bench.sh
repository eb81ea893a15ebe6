#!/usr/bin/env bash
# Builds Kolvane and runs every benchmark under the virtual desktop; prints figures.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh --test
./scripts/build.sh
for b in build/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  # The region editor's opening is compared over one and over two monitors.
  desk=xvfb
  [ "$(basename "$b")" = bench_snapshot ] && desk=xinerama
  KOLVANE_DESKTOP=$desk ./scripts/with-desktop.sh "$b" || echo "(benchmark $b failed)"
done
# Benchmarks of another desktop live in build/bench/<desktop>/.
for d in build/bench/*/; do
  desk=$(basename "$d")
  for b in "$d"bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b") (desktop $desk)"
    KOLVANE_DESKTOP="$desk" ./scripts/with-desktop.sh "$PWD/$b" || echo "(benchmark $b failed)"
  done
done
