#!/usr/bin/env bash
# Builds Vendrel's tests under the sanitizers (installing what is missing) and runs them all.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset test >/dev/null
cmake --build --preset test -j"$(nproc)"
ctest --preset test -j"$(nproc)" "$@"
