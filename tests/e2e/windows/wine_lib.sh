# Sourced by the Wine scripts.
#   missing WHAT        skips the test (77), or fails it under CI (CI=true)
#   windows_path PATH   the name Wine gives a Unix path: drive Z: is the root
#                       in every prefix. Computed here rather than by winepath,
#                       which, being a Wine program itself, now and then printed
#                       nothing while the prefix's server was busy.
missing() {
  if [ "${CI:-}" = true ]; then echo "FAILED: $1 is missing" >&2; exit 1; fi
  echo "SKIPPED: $1 is missing" >&2
  exit 77
}
windows_path() {
  local path
  path="$(realpath -m "$1")"
  echo "Z:${path//\//\\}"
}
