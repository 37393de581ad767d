#!/usr/bin/env bash
# Builds the Debian package from the build tree (cpack -G DEB), installs it as
# a person would (apt-get install ./pointilla_*.deb), starts the installed
# program on the test display with a throw-away settings store, reads a
# setting with the packaged trellis tool, and removes the package again.
#   debian_package.sh BUILD_DIR
# Skipped (77) when it cannot run here; under CI=true that is a failure.
set -euo pipefail
build="${1:?usage: debian_package.sh BUILD_DIR}"

cannot_run() {
  if [ "${CI:-}" = true ]; then
    echo "FAIL: the package test cannot run in CI: $*" >&2
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || cannot_run "installing a package needs root"
{ [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; } || cannot_run "no X display"
command -v dpkg-shlibdeps >/dev/null || cannot_run "dpkg-shlibdeps (dpkg-dev) is missing"
if dpkg-query -W -f='${Status}' pointilla 2>/dev/null | grep -q "install ok installed"; then
  cannot_run "a pointilla package is installed already; it is left alone"
fi

. "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
export DEBIAN_FRONTEND=noninteractive
installed=no
remove_package() {
  if [ "$installed" = yes ]; then apt-get purge -y -q pointilla >"$work/remove.log" 2>&1 || true; fi
  e2e_cleanup
}
trap remove_package EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package") \
  >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb="$(ls "$work"/package/pointilla_*_amd64.deb)" || fail "no pointilla_VERSION_amd64.deb"

# Dependencies computed from the binaries (Qt, SQLite, X11 at least), and Qt's
# own translations.
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libsqlite3 libx11 qt6-translations-l10n; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
contents="$(dpkg-deb -c "$deb")"
for f in ./usr/bin/pointilla ./usr/bin/pointilla-play ./usr/bin/trellis \
         ./usr/lib/pointilla/libtrellis.so "./usr/share/pointilla/aide pointilla.html" \
         "./usr/share/pointilla/pointilla help.html" \
         ./usr/share/applications/pointilla.desktop ./usr/share/icons/hicolor/48x48/apps/pointilla.png \
         ./usr/share/mime/packages/pointilla.xml ./usr/share/man/man1/trellis.1 \
         ./usr/share/man/fr/man1/pointilla-play.1 ./usr/share/bash-completion/completions/trellis \
         ./usr/share/metainfo/org.example.dovetail.Pointilla.metainfo.xml \
         ./usr/share/gnome-shell/extensions/pointilla-helper-43@pointilla.org/extension.js \
         ./usr/share/gnome-shell/extensions/pointilla-helper@pointilla.org/extension.js; do
  grep -qF " $f" <<<"$contents" || fail "the package lacks $f"
done

(cd "$work/package" && apt-get install -y -q --no-install-recommends ./"$(basename "$deb")") \
  >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "apt-get install failed"; }
installed=yes
grep -q "Exec=/usr/bin/pointilla %f" /usr/share/applications/pointilla.desktop ||
  fail "the menu entry does not start /usr/bin/pointilla with a file"
if [ -f /usr/share/mime/globs2 ]; then
  grep -q 'application/x-pointilla-scenario:\*\.sce' /usr/share/mime/globs2 ||
    fail "the MIME database does not know *.sce"
fi

# The installed program, as a fresh user with a throw-away store.
store="$work/registry.db"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
env -i DISPLAY="$DISPLAY" HOME="$work/home" PATH=/usr/bin:/bin TRELLIS_REGISTRY="$store" \
  XDG_RUNTIME_DIR="$work/runtime" /usr/bin/pointilla >"$work/pointilla.log" 2>&1 &
pids+=("$!")
find_window 200 '^Pointilla$' >/dev/null ||
  fail "the installed program showed no window"
key='HKEY_LOCAL_MACHINE\software\Pointilla\Pointilla'
written() { [ "$(TRELLIS_REGISTRY="$store" /usr/bin/trellis get "$key" redlec)" = 0 ]; }
wait_until 50 written ||
  fail "the packaged trellis does not read the settings the program wrote"
kill "${pids[@]}"

apt-get purge -y -q pointilla >"$work/remove.log" 2>&1 || fail "apt-get purge failed"
installed=no
[ ! -e /usr/bin/pointilla ] || fail "/usr/bin/pointilla stayed after the removal"
echo PASS
