#!/usr/bin/env bash
# Runs a test of the sanitizer build, and runs it once more when LeakSanitizer itself crashed at a
# process's exit ("Tracer caught signal"): its stop-the-world tracer sometimes faults on a thread
# that is just ending, which says nothing about our code. A leak report fails as always.
# usage: rerunaftersanitizercrash.sh COMMAND [ARGS...]
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$@" 2>&1 | tee "$output"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] && grep -q "LeakSanitizer has encountered a fatal error" "$output"; then
    echo "--- LeakSanitizer's tracer crashed (not a leak report); the test runs once more"
    "$@"
    status=$?
fi
exit "$status"
