#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, their libraries instrumented too, and
# runs each in turn for SECONDS (default 60) from its seeds.
#   fuzz/run.sh [SECONDS [TARGET...]]     e.g. fuzz/run.sh 600 sce_reader_fuzz
# Every fuzz/*_fuzz.cpp is a target; its seeds are in fuzz/corpus/<target>/ (in
# git, keep them small); what a run finds goes to fuzz/corpus-run/<target>/, and
# a crashing input to fuzz/corpus-run/crash-<target>-* (neither in git).
# Needs clang-14 and libclang-rt-14-dev. Exits 1 if any target failed.
set -euo pipefail
seconds="${1:-60}"
shift || true
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"

cxx="$(command -v clang++-14 || command -v clang++ || true)"
cc="$(command -v clang-14 || command -v clang || true)"
if [ -z "$cxx" ] || [ -z "$cc" ]; then
  echo "fuzz/run.sh needs clang: apt-get install -y --no-install-recommends clang-14 libclang-rt-14-dev" >&2
  exit 1
fi

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  for source in "$root"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

if [ ! -f "$build/build.ninja" ]; then
  CC="$cc" CXX="$cxx" cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPOINTILLA_BUILD_FUZZ=ON -DPOINTILLA_BUILD_TESTS=OFF -DPOINTILLA_BUILD_BENCH=OFF
fi
cmake --build "$build" --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
  found="$root/fuzz/corpus-run/$target"
  mkdir -p "$found"
  echo "== $target for $seconds s"
  "$build/bin/$target" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
    -artifact_prefix="$root/fuzz/corpus-run/crash-$target-" "$found" "$root/fuzz/corpus/$target" ||
    status=1
done
exit "$status"
