#!/usr/bin/env bash
# Every C++ source of the checkout is as clang-format writes it with the repository's
# .clang-format; prints each place that differs and fails if there is one.
# (Fix with: clang-format -i FILE.)
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
else
  mapfile -d '' files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0)
fi
[ ${#files[@]} -eq 0 ] && exit 0
clang-format --dry-run --Werror "${files[@]}"
