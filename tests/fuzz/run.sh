#!/usr/bin/env bash
# Gives every fuzz target a timed run from its starting corpus, one after the other.
#   tests/fuzz/run.sh BUILD_DIR SECONDS      (BUILD_DIR: the fuzz preset's build folder;
#                                             SECONDS: for each target)
# The mutations follow a fixed seed, so that a test run's outcome can be repeated; FUZZ_SEED=0
# draws a new seed each time (for long exploring runs), any other number fixes another.
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR SECONDS}
seconds=${2:?usage: run.sh BUILD_DIR SECONDS}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
bin="$build/fuzz-bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/{mtm,settings,scene,mesh} "$build/fuzz-artifacts"
"$bin/fuzz_seeds" "$work" "$source_dir"

# target corpus max_len
targets=(
  "fuzz_mtmreader mtm 4096"
  "fuzz_settings settings 4096"
  "fuzz_scene scene 16384"
  "fuzz_mesh mesh 16384"
)
for entry in "${targets[@]}"; do
  read -r target corpus max_len <<<"$entry"
  status=0
  LSAN_OPTIONS="suppressions=$source_dir/tests/fuzz/lsan.supp:print_suppressions=0" \
  "$bin/$target" -max_total_time="$seconds" -seed="${FUZZ_SEED:-1}" -max_len="$max_len" -rss_limit_mb=2048 -timeout=20 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" "$work/$corpus" \
      >"$work/$target.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/$target.log"
    echo "$target failed (exit $status); the input is in $build/fuzz-artifacts" >&2
    exit "$status"
  fi
  # libFuzzer's summary: the last progress line and the run count.
  echo "$target: $(grep -E '^#[0-9]+.*(pulse|NEW|REDUCE|DONE)' "$work/$target.log" | tail -n 1)"
  grep -E '^stat::number_of_executed_units' "$work/$target.log" || true
done
