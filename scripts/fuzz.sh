#!/usr/bin/env bash
# Runs every fuzz target of the asan build (build/asan/fuzz) for its share
# of a time budget (equal shares, except the targets weighted below), each from a scratch copy of its seed corpus so the
# committed seeds stay as they are. A crash, a broken invariant, a leak or a
# hang fails the script; the input that caused it is kept under
# build/asan/fuzz-runs/<target>/artifacts/.
#
#   scripts/fuzz.sh [total seconds]   # default 150; build the asan preset first
set -euo pipefail
cd "$(dirname "$0")/.."

budget=${1:-150}
binaries=build/asan/fuzz
scratch=build/asan/fuzz-runs
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
export ASAN_OPTIONS="detect_leaks=1:external_symbolizer_path=${symbolizer}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:external_symbolizer_path=${symbolizer}"

# The terminal's inbound side faces the radio network: it gets three shares.
declare -A weight=([terminal_messages]=3)

targets=()
shares=0
for source in fuzz/*.cc; do
  target=$(basename "$source" .cc)
  targets+=("$target")
  shares=$((shares + ${weight[$target]:-1}))
done
share=$((budget / shares))
[ "$share" -ge 1 ] || share=1

rm -rf "$scratch"
status=0
results=()
for target in "${targets[@]}"; do
  seconds=$((share * ${weight[$target]:-1}))
  work="$scratch/$target"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -R fuzz/corpus/"$target"/. "$work/corpus/"
  echo "--- fuzz_${target}: ${seconds} s"
  # -timeout: an input taking this long is a hang; -rss_limit_mb also caps
  # single allocations, so runaway memory use fails instead of swapping.
  if "$binaries/fuzz_${target}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
      -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" \
      >"$work/log" 2>&1; then
    done_line=$(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$work/log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9]*' "$work/log" | tail -n 1)
    results+=("fuzz_${target}: ${done_line}; ${coverage}")
  else
    tail -n 80 "$work/log"
    results+=("fuzz_${target}: FAILED, input in $work/artifacts/")
    status=1
  fi
done

echo "=== fuzzing (${budget} s budget, ${share} s per share)"
printf '%s\n' "${results[@]}"
exit "$status"
