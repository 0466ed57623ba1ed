#!/usr/bin/env bash
# Installs what is missing, builds Quenvale and starts it. The data folder is the current directory unless
# --data-dir DIR is given; the delivered database is created there on the first start.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENVALE_BUILD_BENCH=OFF
cmake --build "$root/build" --target quenvale
exec "$root/build/src/quenvale" "$@"
