#!/usr/bin/env bash
# astrodesk where no one can see it: without a display it says so and ends with status 1; on the
# offscreen platform a broken data file is named on stderr and ends the start with status 1
# instead of waiting for an answer to a box no one sees.
set -u
program=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "without a display: status $status"
[[ $message == "astrodesk: no display"* ]] || fail "without a display: $message"

# The current folder is searched first: a MOONBITS.FIL cut short there.
head -c 100 "$(dirname "$program")/MOONBITS.FIL" >"$folder/MOONBITS.FIL"
message=$(cd "$folder" && QT_QPA_PLATFORM=offscreen timeout 20 "$program" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "broken data file offscreen: status $status"
grep -q "^astrodesk: MOONBITS.FIL ends after" <<<"$message" || fail "no message: $message"

exit $((failures > 0))
