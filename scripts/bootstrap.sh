#!/usr/bin/env bash
# Sets up a Debian 12 machine for Pointilla, builds it, then starts it or runs every test.
#   scripts/bootstrap.sh start   install what is missing, build, start Pointilla
#   scripts/bootstrap.sh test    install what is missing, build, run every test (Xvfb for the GUI ones)
# Both are idempotent: a second run only rebuilds what changed.
set -euo pipefail

mode="${1:-}"
case "$mode" in
  start|test) ;;
  *) echo "usage: $0 start|test" >&2; exit 2 ;;
esac

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${POINTILLA_BUILD_DIR:-$root/build}"

# Debian packages the build, the program and the tests need (mingw-w64-tools:
# widl, which compiles the Trellis control's interface definition).
packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-l10n-tools libgl-dev
  libsqlite3-dev
  libx11-dev libxtst-dev libxi-dev libxrandr-dev
  libsystemd-dev libpipewire-0.3-dev
  libgtest-dev
  mingw-w64-tools
  xdg-utils fonts-dejavu-core qt6-translations-l10n
  libwayland-dev wayland-protocols libsystemd-dev qt6-wayland
  # The KWin backend's protocols and keyboard layouts.
  plasma-wayland-protocols libxkbcommon-dev
  # lupdate and lrelease: the translation files.
  qt6-l10n-tools
)
if [ "$mode" = test ]; then
  packages+=(xvfb xdotool x11-utils trayer imagemagick g++-mingw-w64-x86-64-posix dpkg-dev wine wine64 nsis)
  # The documentation's checks: manual pages, menu entries, AppStream metainfo.
  packages+=(man-db groff-base desktop-file-utils appstream)
  # The wlroots desktop's tests: a headless sway, a client that reports
  # clicks, a typist for the hot key, a screenshot taker.
  packages+=(sway wev wtype grim)
  # A headless KWin on a private session bus, with a native Qt window in it.
  packages+=(kwin-wayland dbus)
  # A headless GNOME session: the compositor, PipeWire and its session manager, a bus.
  # The RemoteDesktop portal and GNOME's implementation of it, started by that bus.
  packages+=(mutter pipewire-bin wireplumber dbus-daemon dbus-bin xdg-desktop-portal xdg-desktop-portal-gnome)
  # GNOME Shell itself, headless, with Pointilla's shell helper: gjs runs the
  # key presses and the helper's own check, gdbus reads the position.
  packages+=(gnome-shell gjs libglib2.0-bin)
  # What a screen reader hears, read through AT-SPI on a private bus.
  packages+=(at-spi2-core python3-pyatspi)
  # Window managers for the title-bar test and the README's title-bar screenshots.
  packages+=(openbox xfwm4)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
  else
    echo "Some packages are missing. Run this as root, then run this script again:" >&2
    echo "  apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}"
fi
cmake --build "$build" --parallel "$(nproc)"

if [ "$mode" = start ]; then
  if [ -z "${DISPLAY:-}" ]; then
    echo "Pointilla needs an X11 display, and DISPLAY is not set." >&2
    echo "Start it from a desktop session, or run: $build/bin/pointilla" >&2
    exit 1
  fi
  if [ ! -x "$build/bin/pointilla" ]; then
    echo "Built. The Pointilla window arrives with the main-window work; nothing to start yet." >&2
    exit 0
  fi
  exec "$build/bin/pointilla"
fi

exec "$root/scripts/run-tests.sh" "$build"
