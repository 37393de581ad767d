# Sourced by the GNOME window scripts: moving the pointer with pointilla-play
# and reading the window off a picture of the monitor. The caller sets
# $work, $play and $screenshot, and wx/wy once it knows the window's corner.

# move X Y [click]: the pointer there, clicked when asked.
move() {
  printf 'Position souris\xa4 %d ,  %d\xa4\r\n' "$1" "$2" >"$work/move.sce"
  [ "${3:-}" = click ] && printf 'Clic souris\xa4Clic\xa4\r\n' >>"$work/move.sce"
  "$play" "$work/move.sce" >>"$work/play.log" 2>&1 || fail "pointilla-play failed"
}
shot() { "$screenshot" "$work/shot.png" || fail "no picture of the monitor"; }
# The largest light area of the picture: the window, as "WxH+X+Y".
window_box() {
  convert "$work/shot.png" -colorspace gray -threshold 80% \
    -define connected-components:verbose=true -connected-components 4 null: |
    awk '$NF == "gray(255)" {print $4, $2}' | sort -n -r | head -1 | cut -d' ' -f2
}
# Mean lightness (0 to 1) of a band of the picture, from the window's corner (wx, wy).
lightness() {
  convert "$work/shot.png" -crop "$3x$4+$((wx + $1))+$((wy + $2))" -colorspace gray \
    -format '%[fx:mean]' info:
}
