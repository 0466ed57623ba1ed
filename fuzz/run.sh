#!/usr/bin/env bash
# Fuzzes the transaction file reader with libFuzzer for a bounded time (seconds, default 600).
# Not part of the test suite: run it by hand after changing the reader.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-600}"
out="$root/build-fuzz"

bash "$root/tools/install-deps.sh"
if ! command -v clang++ >/dev/null; then
    sudo_cmd=""; [[ $(id -u) -ne 0 ]] && sudo_cmd="sudo"
    $sudo_cmd apt-get install -y --no-install-recommends clang
fi

mkdir -p "$out/corpus"
# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DQT_NO_CAST_FROM_ASCII -I"$root/src" $(pkg-config --cflags Qt6Core) \
    "$root/fuzz/fuzz_transaction_file.cpp" "$root/src/transaction/transaction_file_format.cpp" \
    $(pkg-config --libs Qt6Core) -o "$out/fuzz_transaction_file"

cd "$out"
./fuzz_transaction_file -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=4096 corpus
