#!/usr/bin/env bash
# Builds Vendrel (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake --preset app >/dev/null
cmake --build --preset app -j"$(nproc)"
exec build/app/src/app/vendrel "$@"
