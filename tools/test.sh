#!/usr/bin/env bash
# Installs what is missing, builds Quenvale with its tests and runs the whole suite headless.
# With --sanitize the build goes to its own folder with AddressSanitizer and UndefinedBehaviorSanitizer.
# The database tests run a second time (their _pg twins) against a throwaway PostgreSQL cluster started here and
# removed on exit; a URL already in QUENVALE_TEST_DATABASE_URL is used instead.
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
if [[ -z "${QUENVALE_TEST_DATABASE_URL:-}" ]]; then
    cluster="$(bash "$root/tools/pg-cluster.sh" start)"
    eval "$cluster"
    trap 'bash "$root/tools/pg-cluster.sh" stop "$QUENVALE_PG_CLUSTER"' EXIT
fi
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --parallel 2
