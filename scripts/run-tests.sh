#!/usr/bin/env bash
# Runs every test of a built tree: a private Xvfb for the tests that need a display,
# a throw-away registry store so no test touches the user's settings. Arguments
# after the build folder go to ctest (for example -R 'trellis\.' to run a few).
set -euo pipefail
build="${1:?usage: run-tests.sh BUILD_DIR [CTEST_ARGUMENTS...]}"
shift

. "$(dirname "${BASH_SOURCE[0]}")/lib/private-xvfb.sh"
open_private_session 90 || exit 1

# The programs speak the person's language; the tests read the French texts
# unless they choose a language themselves.
unset LANGUAGE LC_ALL LC_MESSAGES POINTILLA_LANGUAGE
export LANG=C.UTF-8
export TRELLIS_REGISTRY="$work/registry.db"
export XDG_DATA_HOME="$work/data"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
