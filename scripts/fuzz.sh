#!/usr/bin/env bash
# Builds the fuzz targets (build-fuzz/: clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given seconds (default
# 60), one after another, from its seeds (tests/fuzz/seeds/) and the corpus
# earlier runs grew (build-fuzz/corpus/, kept out of git). Prints each
# target's executions, corpus (files kept; units/bytes in use) and coverage
# (instrumented edges reached). A crash, leak, hang or broken
# property fails the run; the input that did it is left in
# build-fuzz/artifacts/ (add it to the seeds once the fault is fixed).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
dir=build-fuzz
targets=(update_notice url_parts version_block hex_text css_colour http_answer)
# Inputs may run past what the program reads (a 64 KiB notice, a body that
# pauses the transfer at 64 KiB unread); the others keep libFuzzer's default.
declare -A max_len=([update_notice]=81920 [http_answer]=131072)

scripts/deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++-14 cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARNOVA_FUZZ=ON \
  -DMARNOVA_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$dir/artifacts"
status=0
report=$(printf '%-20s %11s %7s %7s %10s %6s  %s' target executions exec/s files corpus cov result)
for t in "${targets[@]}"; do
  corpus=$dir/corpus/$t
  log=$dir/fuzz_$t.log
  mkdir -p "$corpus"
  echo "== fuzz_$t for ${seconds} s (log: $log)"
  result=ok
  if ! "$dir/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    ${max_len[$t]:+-max_len=${max_len[$t]}} \
    -print_final_stats=1 -dict="tests/fuzz/$t.dict" -artifact_prefix="$dir/artifacts/$t-" \
    "$corpus" "tests/fuzz/seeds/$t" >"$log" 2>&1; then
    result=FAILED
    status=1
    grep -v '^#' "$log" | tail -40
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  units=$(grep -o 'corp: [0-9]*/[0-9a-zA-Z]*' "$log" | tail -1 | cut -d' ' -f2)
  files=$(find "$corpus" -type f | wc -l)
  report+=$'\n'$(printf '%-20s %11s %7s %7s %10s %6s  %s' "fuzz_$t" "${execs:-?}" "${rate:-?}" \
    "$files" "${units:-?}" "${cov:-?}" "$result")
done
echo "$report"
[[ $status -eq 0 ]] || echo "A fuzz target failed; its input is in $dir/artifacts/."
exit $status
