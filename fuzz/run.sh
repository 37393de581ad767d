#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs the .sce reader and .REG importer fuzzers.
#   fuzz/run.sh [SECONDS]   (default 60)
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPOINTILLA_BUILD_FUZZ=ON -DPOINTILLA_BUILD_TESTS=OFF -DPOINTILLA_BUILD_BENCH=OFF
fi
cmake --build "$build" --target sce_reader_fuzz
corpus="$root/fuzz/corpus-run"
mkdir -p "$corpus"
"$build/bin/sce_reader_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=5 "$corpus" "$root/fuzz/corpus"

# The .REG importer, on a throw-away store of its own.
cmake --build "$build" --target reg_import_fuzz
reg_corpus="$root/fuzz/reg_import_corpus-run"
mkdir -p "$reg_corpus"
"$build/bin/reg_import_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 "$reg_corpus" "$root/fuzz/reg_import_corpus"
