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

# Wine reports an English Windows under the C locale these tests run in, and
# the programs follow the Windows language: the tests read the French texts,
# so they ask for French unless a test unsets it to try the language rule.
export POINTILLA_LANGUAGE=fr
