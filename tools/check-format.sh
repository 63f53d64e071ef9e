#!/usr/bin/env bash
# Fails when a C++ source file of the project differs from what clang-format makes of it,
# listing every such file. Run from anywhere; checks the files git tracks.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find src tests bench -name '*.cpp' -o -name '*.h')
[ ${#files[@]} -gt 0 ] || { echo "no source files found" >&2; exit 1; }
bad=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f (clang-format -i $f)"
    bad=1
  fi
done
exit $bad
