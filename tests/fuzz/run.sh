#!/usr/bin/env bash
# Gives the .mtm reader's fuzz target a timed run from a corpus of small valid files.
#   tests/fuzz/run.sh BUILD_DIR SECONDS      (BUILD_DIR: the fuzz preset's build folder)
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR SECONDS}
seconds=${2:?usage: run.sh BUILD_DIR SECONDS}
bin="$build/fuzz-bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$build/fuzz-artifacts"

"$bin/mtm_fuzz_seeds" "$work/corpus"
status=0
"$bin/fuzz_mtmreader" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-artifacts/" "$work/corpus" >"$work/log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/log"
    echo "fuzz_mtmreader failed (exit $status); the input is in $build/fuzz-artifacts" >&2
    exit "$status"
fi
# libFuzzer's summary: the last progress line, the run count and the final statistics.
grep -E '^#[0-9]+.*(pulse|NEW|REDUCE|DONE)' "$work/log" | tail -n 1
grep -E '^(Done |stat::)' "$work/log"
