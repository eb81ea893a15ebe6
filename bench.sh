#!/usr/bin/env bash
# Builds Kolvane and runs every benchmark under the virtual desktop; prints figures.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh --test
./scripts/build.sh
log=$(mktemp)
trap 'rm -f "$log"' EXIT
exec > >(tee "$log")
echo "machine load at the start: $(uptime)"
for b in build/bench/bench_*; do
  # Programs only: the build's bench_*_autogen folders match the name too.
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  # The region editor's opening is compared over one and over two monitors.
  desk=xvfb
  [ "$(basename "$b")" = bench_snapshot ] && desk=xinerama
  KOLVANE_DESKTOP=$desk ./scripts/with-desktop.sh "$b" || echo "(benchmark $b failed)"
done
# Benchmarks of another desktop live in build/bench/<desktop>/.
for d in build/bench/*/; do
  desk=$(basename "$d")
  [ -f "scripts/desktops/$desk.sh" ] || continue
  ./scripts/install-deps.sh --desktop "$desk"
  for b in "$d"bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b") (desktop $desk)"
    KOLVANE_DESKTOP="$desk" ./scripts/with-desktop.sh "$PWD/$b" || echo "(benchmark $b failed)"
  done
done
# Every figure beside its baseline from the same run, and the ratio.
echo
echo "== summary (machine load at the end: $(uptime | sed 's/.*load average/load average/'))"
printf '%-38s | %11s | %-34s | %11s | %6s | %s\n' figure Kolvane baseline "" ratio target
grep '^SUMMARY | ' "$log" | sed 's/^SUMMARY | //' || echo "(no figures)"
