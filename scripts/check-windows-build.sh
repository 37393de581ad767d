#!/usr/bin/env bash
# Cross-compiles the Trellis control's own sources for 64-bit Windows with
# mingw-w64, against the real Windows headers and libraries, into Trellis.dll
# with its type library (widl, from src/trellis/com/dovetail.idl) as resource
# TYPELIB 1, and checks that the in-process server's entry points are exported.
#   scripts/check-windows-build.sh [output-dir]
# Exits 77 (skipped) when a tool is missing, except in CI (CI=true) where that is
# a failure; non-zero on any compile, link or export failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build/windows}"
cxx="${TRELLIS_MINGW_CXX:-x86_64-w64-mingw32-g++-posix}"
objdump="${TRELLIS_MINGW_OBJDUMP:-x86_64-w64-mingw32-objdump}"
windres="${TRELLIS_MINGW_WINDRES:-x86_64-w64-mingw32-windres}"
widl="${TRELLIS_WIDL:-x86_64-w64-mingw32-widl}"

missing_tool() {
  if [ "${CI:-}" = true ]; then
    echo "FAILED: $1" >&2
    exit 1
  fi
  echo "SKIPPED: $1" >&2
  exit 77
}
for tool in "$cxx" "$windres"; do
  command -v "$tool" >/dev/null 2>&1 ||
    missing_tool "$tool is not installed (apt-get install g++-mingw-w64-x86-64-posix)."
done
command -v "$widl" >/dev/null 2>&1 || missing_tool "$widl is not installed (apt-get install mingw-w64-tools)."
# The type library takes IDispatch from the standard OLE type library, which Wine provides.
stdole=""
for dir in /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows \
  /usr/lib64/wine/x86_64-windows /opt/wine-stable/lib/wine/x86_64-windows; do
  [ -f "$dir/stdole2.tlb" ] && stdole="$dir" && break
done
[ -n "$stdole" ] || missing_tool "stdole2.tlb was not found (apt-get install wine64)."

# The interface definition, compiled as the Linux build compiles it, plus the type library.
generated="$out/generated"
mkdir -p "$generated"
idl="$root/src/trellis/com/dovetail.idl"
"$widl" -h -o "$generated/dovetail_idl.h" "$idl"
"$widl" -DTRELLIS_TYPE_LIBRARY -L "$stdole" -t -o "$generated/dovetail.tlb" "$idl"
cmake -DIDL="$idl" -DOUTPUT="$generated/dovetail_members.inc" \
  -P "$root/src/trellis/com/generate_member_table.cmake"

# The control, its dispatch object and class factory, the entry points and
# their registration, the registry primitives, the export and the file helpers,
# with the Windows side of what differs per system.
sources=(
  src/codepage/cp1252.cpp
  src/trellis/com/guid_text.cpp
  src/trellis/com/member_table.cpp
  src/trellis/com/text_conversion.cpp
  src/trellis/com/trellis_guids.cpp
  src/trellis/file_io.cpp
  src/trellis/file_system_win32.cpp
  src/trellis/library_path_win32.cpp
  src/trellis/notifier.cpp
  src/trellis/notifier_win32.cpp
  src/trellis/reg_backup.cpp
  src/trellis/registry_access.cpp
  src/trellis/registry_calls_win32.cpp
  src/trellis/server_exports.cpp
  src/trellis/server_registration.cpp
  src/trellis/trellis_control.cpp
  src/trellis/trellis_object.cpp
  src/trellis/type_library_win32.cpp
)
entry_points=(DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer DllInstall)

# The project's warning set, less -Wnon-virtual-dtor: the Windows interfaces have
# public non-virtual destructors by design (objects go through Release).
flags=(-std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Werror -I "$root/src" -I "$generated")
compile=("$cxx")
command -v ccache >/dev/null 2>&1 && compile=(ccache "$cxx")
mkdir -p "$out/obj"
objects=()
failed=()
# One compiler per core; each source's outcome is collected in order.
jobs="$(nproc 2>/dev/null || echo 2)"
pids=()
for source in "${sources[@]}"; do
  object="$out/obj/$(echo "${source%.cpp}" | tr / _).o"
  objects+=("$object")
  "${compile[@]}" "${flags[@]}" -c "$root/$source" -o "$object" &
  pids+=($!)
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
done
for i in "${!sources[@]}"; do
  wait "${pids[$i]}" || failed+=("${sources[$i]}")
done
# The Windows headers must give the types the sizes, layouts and values the
# Linux build checks its own definitions against.
layout_checks=tests/trellis/windows_layout_checks.cpp
"$cxx" "${flags[@]}" -fsyntax-only "$root/$layout_checks" || failed+=("$layout_checks")
"$windres" -I "$generated" -i "$root/src/trellis/trellis.rc" -o "$out/obj/trellis_rc.o" ||
  failed+=(src/trellis/trellis.rc)
objects+=("$out/obj/trellis_rc.o")

if [ "${#failed[@]}" -gt 0 ]; then
  echo "FAILED: these sources do not compile for Windows:" >&2
  printf '  %s\n' "${failed[@]}" >&2
  exit 1
fi

dll="$out/Trellis.dll"
# Self-contained: the C++ run-time and the thread library are linked in, so the
# DLL needs nothing beyond what every Windows system has.
"$cxx" -shared -o "$dll" "${objects[@]}" "$root/src/trellis/trellis.def" \
  -static -static-libgcc -static-libstdc++ \
  -lole32 -loleaut32 -ladvapi32 -luuid -luser32 -Wl,--no-undefined

exports="$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')"
missing=()
for name in "${entry_points[@]}"; do
  grep -qw "$name" <<<"$exports" || missing+=("$name")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "FAILED: $dll does not export: ${missing[*]}" >&2
  exit 1
fi
if ! "$objdump" -f "$dll" | grep -q 'file format pei-x86-64'; then
  echo "FAILED: $dll is not a 64-bit Windows DLL" >&2
  exit 1
fi
echo "OK: $dll exports ${entry_points[*]}"
