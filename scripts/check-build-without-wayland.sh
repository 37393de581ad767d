#!/usr/bin/env bash
# Configures and builds the programs (pointilla, pointilla-play, trellis and its
# library) with POINTILLA_WAYLAND=OFF into their own build folder, then checks
# that nothing Wayland was searched for or linked: no Wayland, PipeWire or sd-bus
# entry in the CMake cache, no libwayland or libpipewire among the programs'
# libraries (Qt's D-Bus library brings libsystemd in on its own, so that one may
# appear).
# A second run only rebuilds what changed. A folder beside the main build
# (build-without-wayland next to build) compiles with the same relative paths,
# so ccache serves most of the first run from the main build's objects.
#   scripts/check-build-without-wayland.sh [BUILD_DIR]   (default build-without-wayland)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build-without-wayland}"
# The programs' targets (trellis_cli is the trellis command; trellis, its library).
targets=(pointilla pointilla-play trellis_cli trellis)
programs=(bin/pointilla bin/pointilla-play bin/trellis lib/pointilla/libtrellis.so)

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

cmake -S "$root" -B "$out" "${generator[@]}" "${launcher[@]}" \
  -DPOINTILLA_WAYLAND=OFF -DPOINTILLA_BUILD_TESTS=OFF -DPOINTILLA_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" --parallel "$(nproc)" --target "${targets[@]}"

failed=0
# Cache entries (not their help comments, nor the folders' own names) that name
# a Wayland search; the POINTILLA_WAYLAND* options are the only ones allowed.
found="$(grep -v '^//' "$out/CMakeCache.txt" | sed -e "s|$out||g" -e "s|$root||g" |
  grep -iE 'wayland|pipewire|libsystemd' | grep -v '^POINTILLA_WAYLAND' || true)"
if [ -n "$found" ]; then
  echo "FAILED: the cache holds Wayland searches:" >&2
  echo "$found" >&2
  failed=1
fi
for program in "${programs[@]}"; do
  linked="$(ldd "$out/$program" | grep -E 'libwayland|libpipewire' || true)"
  if [ -n "$linked" ]; then
    echo "FAILED: $program links $linked" >&2
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "Built ${targets[*]} without Wayland in $out"
exit "$failed"
