#!/usr/bin/env bash
# Output that cannot be written ends with status 1 and says why, and never leaves a broken file
# in place of a good one; a reader that goes away ends the program quietly. A value echoed in a
# refusal or an error never carries a control character to the user's terminal.
source "$(dirname "$0")/common.bash"
record=(--name TEST --date 15-06-1990 --time 12:00:00 --lat 51N32 --lon 000W10)

# expect_write_failure FILE-IN-MESSAGE ARGUMENTS...: status 1 and "cannot write FILE: reason".
expect_write_failure() {
    local file=$1 message status
    shift
    message=$("$cli" "$@" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 1 ] || fail "$* ended with status $status, not 1"
    [[ $message == *"astrodesk-cli: cannot write $file: "?* ]] || fail "$* gave: $message"
}
for command in "chart ${record[*]}" "interpret ${record[*]}" "place London" \
    "events ${record[*]} --from 01-01-2027 --days 30"; do
    read -ra words <<<"$command"
    message=$("$cli" "${words[@]}" 2>&1 >/dev/full)
    [ $? -eq 1 ] || fail "$command onto a full disk did not end with status 1"
    [[ $message == *"cannot write standard output: No space left on device"* ]] ||
        fail "$command onto a full disk gave: $message"
done
for output in events.txt report.txt report.pdf wheel.png wheel.svg; do
    case $output in
    events*) arguments=(events --from 01-01-2027 --days 30) ;;
    report*) arguments=(interpret) ;;
    wheel*) arguments=(wheel) ;;
    esac
    [[ $output == events* ]] &&
        expect_write_failure /dev/full "${arguments[@]}" "${record[@]}" -o /dev/full
    # A write that runs out of room (the file size limit) keeps the good file as it was and
    # leaves nothing beside it.
    echo good >"$folder/$output"
    (ulimit -f 2 && trap '' XFSZ && expect_write_failure "$folder/$output" \
        "${arguments[@]}" "${record[@]}" -o "$folder/$output") || failures=$((failures + 1))
    [ "$(cat "$folder/$output")" = good ] || fail "a failed $output write replaced the good file"
    [ "$(ls -A "$folder")" = "$output" ] || fail "a failed $output write left: $(ls -A "$folder")"
    rm "$folder/$output"
    "$cli" "${arguments[@]}" "${record[@]}" -o "$folder/$output" || fail "$output not written"
    [ "$(stat -c %a "$folder/$output")" = "$(printf '%o' $((0666 & ~$(umask))))" ] ||
        fail "$output has permissions $(stat -c %a "$folder/$output")"
    rm "$folder/$output"
done
expect_write_failure "$folder/no/such/folder/wheel.svg" wheel -o "$folder/no/such/folder/wheel.svg"
message=$("$cli" events "${record[@]}" --from 01-01-2027 --days 3650 2>&1 | head -1 2>/dev/null >/dev/null)
[ -z "$message" ] || fail "a closed pipe gave: $message"

# Every option's value echoed with its control characters escaped (\x1B for the escape): status
# 2 and the message holds the text given.
expect_echoed() {
    local echoed=$1 message status
    shift
    message=$("$cli" "$@" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] || fail "$* ended with status $status, not 2"
    [[ $message == *"$echoed"* ]] || fail "$* gave: $message"
}
escape=$'\x1b[2J'
for option in --technique --area --projection --type --format; do
    case $option in
    --technique) command=chart ;;
    *) command=map ;;
    esac
    expect_echoed '"x\x1B[2J"' "$command" "${record[@]}" "$option" "x$escape"
done
expect_echoed '\x1B[2J' wheel "${record[@]}" -o "x$escape"
expect_echoed '"Lon\tdon": expected a place name' chart --place $'Lon\tdon' --date 01-01-2000 \
    --local-time 12:00:00
expect_echoed '\x1B[2J' chart --place "x$escape" --date 01-01-2000 --local-time 12:00:00
expect_echoed '\x1B[2J' chart --place London --date 01-01-2000 --local-time "1$escape"
message=$("$cli" place "x$escape" 2>&1 >/dev/null)
[[ $message == *'"x\x1B[2J"'* ]] || fail "place query echoed as: $message"
finish
