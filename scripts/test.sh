#!/usr/bin/env bash
# Builds and runs every test twice: a normal build (build/) and an
# AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/); then the
# HTTP tests (label "http") once more under ThreadSanitizer (build-tsan/); then
# the program's end-to-end tests and the Debian package in Release (build-release/);
# then each fuzz target briefly (build-fuzz/).
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/deps.sh

jobs=$(nproc)
status=0

run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARNOVA_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs") || status=1
}

run_suite build
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1" \
LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  run_suite build-asan -DMARNOVA_SANITIZE=ON -DMARNOVA_BENCH=OFF

# Only the threaded HTTP tests run under ThreadSanitizer; only they are built.
tsan_suite() {
  local dir=build-tsan
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARNOVA_WERROR=ON -DMARNOVA_TSAN=ON -DMARNOVA_BENCH=OFF
  local targets
  # A test that reruns another's executable under other settings names no
  # target of its own: build only the names that are targets.
  targets=$(comm -12 <(cd "$dir" && ctest -L http -N | sed -n 's/^ *Test *#[0-9]*: *//p' | sort) \
    <(cmake --build "$dir" --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p' | sort))
  # shellcheck disable=SC2086
  cmake --build "$dir" -j "$jobs" --target $targets
  (cd "$dir" && ctest --output-on-failure -j "$jobs" -L http) || status=1
}
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" tsan_suite

# Release is what users get: the real program's end-to-end tests run against
# it, and the Debian package is packed from it and checked.
release_suite() {
  local dir=build-release
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DMARNOVA_WERROR=ON -DMARNOVA_BENCH=OFF
  cmake --build "$dir" -j "$jobs" --target marnova colourwindow standinportal closewindow \
    marnova_compressed_docs
  (cd "$dir" && ctest --output-on-failure -j "$jobs" -R '^(e2e_.*|no_display_test|package_test)$') ||
    status=1
}
release_suite

# Every fuzz target for 10 s as a smoke test (scripts/fuzz.sh runs them longer).
scripts/fuzz.sh 10 || status=1

if [[ $status -ne 0 ]]; then
  echo "Some tests failed."
fi
exit $status
