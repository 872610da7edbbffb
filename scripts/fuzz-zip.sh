#!/usr/bin/env bash
# Fuzzes the archive reader with libFuzzer under AddressSanitizer.
#   scripts/fuzz-zip.sh [SECONDS]     default 600; CI runs a short round
# Seeds are the launcher's own archive; findings land in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. -isystem /usr/include/minizip tests/fuzz/zip_fuzzer.cpp zip/ZipArchive.cpp zip/ZipEntryRules.cpp \
  -lminizip -lz -o "$out/zip_fuzzer"
cp res/archive/data.zip "$out/corpus/launcher.zip"
"$out/zip_fuzzer" -max_total_time="$seconds" -max_len=8192 -artifact_prefix="$out/" -print_final_stats=1 \
  "$out/corpus" 2>&1 | tail -n 15
