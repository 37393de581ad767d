# Sourced by the wlroots end-to-end scripts:
#   start_headless_sway DIR [CONFIG]
#                             starts sway headless (1280x1024, pixman, no input
#                             devices) with its runtime folder in DIR, as the
#                             unprivileged user "nobody" when run as root (sway
#                             refuses root), CONFIG's lines added to its config;
#                             exports WAYLAND_DISPLAY, SWAYSOCK, XDG_RUNTIME_DIR;
#                             appends its pid to pids.
start_headless_sway() {
  local dir="$1" runtime="$1/runtime" extra="${2:-}"
  mkdir -p "$runtime" && chmod 700 "$runtime"
  cat >"$dir/sway.conf" <<'CONF'
output HEADLESS-1 resolution 1280x1024 position 0 0
default_border none
default_floating_border none
for_window [app_id="wev"] floating enable
CONF
  [ -z "$extra" ] || cat "$extra" >>"$dir/sway.conf"
  chmod 755 "$dir"
  chmod 644 "$dir/sway.conf"
  local run=()
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$runtime"
    run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  env -i PATH="$PATH" HOME="$dir" XDG_RUNTIME_DIR="$runtime" SWAYSOCK="$runtime/sway-ipc.sock" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${run[@]}" sway -c "$dir/sway.conf" >"$dir/sway.log" 2>&1 &
  pids+=("$!")
  export XDG_RUNTIME_DIR="$runtime" SWAYSOCK="$runtime/sway-ipc.sock"
  unset DISPLAY
  local _
  for _ in $(seq 1 100); do
    WAYLAND_DISPLAY="$(cd "$runtime" && ls wayland-? 2>/dev/null | head -n1)"
    [ -n "$WAYLAND_DISPLAY" ] && [ -S "$SWAYSOCK" ] && swaymsg -t get_version >/dev/null 2>&1 && break
    sleep 0.05
  done
  export WAYLAND_DISPLAY
  [ -n "$WAYLAND_DISPLAY" ] && [ -S "$SWAYSOCK" ]
}
