# Sourced: wait_until TENTHS CMD...  polls CMD (its output hidden) every tenth
# of a second, up to TENTHS times; true as soon as CMD succeeds.
wait_until() {
  local tenths="$1" _
  shift
  for _ in $(seq 1 "$tenths"); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}
