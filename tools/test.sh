#!/usr/bin/env bash
# Installs what is missing, builds Quenvale with its tests and runs the whole suite headless.
# With --sanitize the build goes to its own folder with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

build="$root/build"
options=(-DCMAKE_BUILD_TYPE=Debug)
if [[ "${1:-}" == "--sanitize" ]]; then
    build="$root/build-sanitize"
    options+=(-DQUENVALE_SANITIZE=ON -DQUENVALE_BUILD_BENCH=OFF)
fi

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja "${options[@]}"
cmake --build "$build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --parallel 2
