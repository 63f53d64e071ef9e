#!/usr/bin/env bash
# Fails when a C++ source file of the project differs from what clang-format makes of it,
# listing every such file, or when the program sets its umask anywhere but at start-up (a
# umask set while threads run gives them all that mask for a moment). Run from anywhere;
# checks the files git tracks.
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
# Tests may set the umask they run under; the program reads it and sets it at start-up only.
while IFS= read -r hit; do
  echo "umask set outside start-up: $hit"
  bad=1
done < <(grep -n -E '\bumask *\(' -- $(printf '%s\n' "${files[@]}" | grep -E '^(src|bench)/') |
  grep -v -E '^src/os/process_setup\.cpp:' || true)
exit $bad
