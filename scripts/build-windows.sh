#!/usr/bin/env bash
# Cross-builds Pointilla for 64-bit Windows with Debian's mingw-w64 compiler.
#   scripts/build-windows.sh                 Qt (once, cached), the whole project, then
#                                            its installer and zip in <build>/dist
#   scripts/build-windows.sh --without-qt    only what needs no Qt (pointilla-play.exe)
#   scripts/build-windows.sh --qt-only       only the cached Qt
# Qt 6 (Core, Gui, Widgets and the windows platform plugin, static) is built from
# Debian's own qt6-base source package, of the same version as the host Qt that
# supplies moc, rcc and uic, into
#   ${XDG_CACHE_HOME:-~/.cache}/pointilla/qt6-windows-<version>-<options hash>/
# so a second run finds it and only rebuilds the project. The project lands in
# ${POINTILLA_WINDOWS_BUILD_DIR:-build/windows-cross}/bin.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/pointilla"
project_build="${POINTILLA_WINDOWS_BUILD_DIR:-$root/build/windows-cross}"
jobs="${POINTILLA_JOBS:-$(nproc)}"

want_qt=yes
want_project=yes
case "${1:-}" in
  "") ;;
  --without-qt) want_qt=no ;;
  --qt-only) want_project=no ;;
  *) echo "usage: $0 [--without-qt|--qt-only]" >&2; exit 2 ;;
esac

need() {
  command -v "$1" >/dev/null 2>&1 || {
    echo "$1 is missing: apt-get install -y --no-install-recommends $2" >&2
    exit 1
  }
}
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
need cmake cmake
need ninja ninja-build

# What Qt is configured with; any change here gives a new cache folder. OpenGL is
# turned off through its input (the feature alone leaves dynamic OpenGL on, which
# the windows plugin cannot build without); Debian's source leaves out the tablet
# headers, so tablet events are off; direct2d stays on, as 6.4 needs it to link.
qt_options=(
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no -DFEATURE_direct2d=ON -DFEATURE_tabletevent=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_testlib=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_zstd=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_libb2=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_sqlite=OFF
  -DFEATURE_system_textmarkdownreader=OFF -DFEATURE_system_zlib=OFF
)

# The host Qt's Debian version is the one whose source is built.
qt_package_version() {
  dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || {
    echo "qt6-base-dev is missing: apt-get install -y --no-install-recommends qt6-base-dev" >&2
    exit 1
  }
}

qt_key_for() {
  (printf '%s\n' "$1" "${qt_options[@]}"; cat "$toolchain") | sha256sum | cut -c1-12
}
# apt-get source needs a deb-src entry; add one for the archive and suites the
# machine already installs from.
ensure_deb_src() {
  if apt-get source --print-uris -q "qt6-base=$1" >/dev/null 2>&1; then return; fi
  [ "$(id -u)" -eq 0 ] || {
    echo "No deb-src entry for Debian's archive; add one (as root) and run this again." >&2
    exit 1
  }
  local base=/etc/apt/sources.list.d/debian.sources
  [ -f "$base" ] || { echo "$base not found: add a deb-src entry by hand." >&2; exit 1; }
  awk 'BEGIN { RS = ""; ORS = "\n\n" } /URIs: [^\n]*\/debian\n/ && !/security/ { sub(/Types: deb/, "Types: deb-src"); print }' \
    "$base" >/etc/apt/sources.list.d/debian-src.sources
  apt-get update -q
}

# The build folder carries its key, so a build that was stopped goes on where
# it stopped when run again with the same version and options.
build_qt() {
  local prefix="$1" version="$2" key="$3"
  local work="$cache/work"
  local source="$work/qt6-base-${version%-*}"
  local build="$work/qt-build"
  mkdir -p "$work"
  if [ ! -f "$source/CMakeLists.txt" ]; then
    need dpkg-source dpkg-dev
    ensure_deb_src "$version"
    (cd "$work" && apt-get source -q "qt6-base=$version")
  fi
  if [ "$(cat "$build/.key" 2>/dev/null)" != "$key" ]; then rm -rf "$build"; fi
  rm -rf "$prefix"
  mkdir -p "$build" && echo "$key" >"$build/.key"
  local started=$SECONDS
  cmake -S "$source" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${qt_options[@]}"
  cmake --build "$build" --parallel "$jobs"
  cmake --install "$build"
  rm -rf "$build"
  date -u +%FT%TZ >"$prefix/.complete"
  echo "Qt for Windows built in $((SECONDS - started)) s into $prefix ($(du -sh "$prefix" | cut -f1))"
}

qt_prefix=""
if [ "$want_qt" = yes ]; then
  version="$(qt_package_version)"
  key="$(qt_key_for "$version")"
  qt_prefix="$cache/qt6-windows-${version%%+*}-$key"
  if [ -f "$qt_prefix/.complete" ]; then
    echo "Qt for Windows found in $qt_prefix"
  else
    build_qt "$qt_prefix" "$version" "$key"
  fi
fi
[ "$want_project" = yes ] || exit 0

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# The cached Qt is searched by the toolchain file; moc, rcc and uic are the host's.
with_qt=()
if [ -n "$qt_prefix" ]; then
  with_qt=(-DPOINTILLA_WINDOWS_PREFIX="$qt_prefix" -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
fi
cmake -S "$root" -B "$project_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "${with_qt[@]}"
cmake --build "$project_build" --parallel "$jobs"
echo "Windows programs in $project_build/bin"
if [ "$want_qt" = yes ]; then
  if command -v makensis >/dev/null 2>&1; then
    cmake --build "$project_build" --target windows_package
    echo "Windows installer and zip in $project_build/dist"
  else
    echo "No installer: makensis is missing (apt-get install -y --no-install-recommends nsis)" >&2
  fi
fi
