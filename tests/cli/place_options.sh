#!/usr/bin/env bash
# astrodesk-cli place and the --place, --local-time, --zone options: a birth given by place name
# and local clock time is the same chart as the Greenwich record it converts to.
source "$(dirname "$0")/common.bash"

listing=$($cli place Tromso) || fail "place Tromso refused"
[[ $listing == "1  Tromsø"*"Norway"*"69N39 018E57"*"Europe/Oslo"* ]] || fail "place Tromso: $listing"
$cli place Xqzzyville >/dev/null 2>&1 && fail "a name without matches passed"

# Manchester, 06:30 local time on D-Day: British double summer time, 04:30 Greenwich.
local=(--place Manchester --date 06-06-1944 --local-time 06:30:00)
greenwich=(--lat 53N29 --lon 002W14 --date 06-06-1944 --time 04:30:00)
[ "$($cli chart "${local[@]}")" == "$($cli chart "${greenwich[@]}")" ] ||
    fail "the local-time listing differs from the Greenwich one"
without_place() { sed '/"place": {/,/}/d; /"longitude"/s/,$//'; }
json=$($cli chart "${local[@]}" --format json) || fail "local-time JSON refused"
[ "$(without_place <<<"$json")" == "$($cli chart "${greenwich[@]}" --format json | without_place)" ] ||
    fail "the local-time JSON differs from the Greenwich one"
for field in '"zone": "Europe/London"' '"utcOffset": "+02:00"' '"abbreviation": "BDST"'; do
    grep -qF "$field" <<<"$json" || fail "no $field in: $json"
done

# Any match that `place` lists, by its number: the second Manchester is New Hampshire's.
second=$($cli place Manchester | sed -n 2p)
[[ $second == "2  Manchester  New Hampshire"*"43N00 071W27"* ]] || fail "second Manchester: $second"
[ "$($cli chart --place "Manchester, 2" --date 01-07-1990 --time 12:00:00)" == \
    "$($cli chart --lat 43N00 --lon 071W27 --date 01-07-1990 --time 12:00:00)" ] ||
    fail "--place \"Manchester, 2\" is not the second match"

# Refusals name what is wrong and end with status 2.
while IFS='|' read -r words arguments; do
    # shellcheck disable=SC2086
    message=$($cli chart $arguments 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] || fail "'$arguments' ended with status $status"
    [[ $message == *"$words"* ]] || fail "'$arguments' gave: $message"
done <<'REFUSED'
Xqzzyville|--place Xqzzyville
Manchester,9|--place Manchester,9
--lat|--place Leeds --lat 53N48
--time|--place Leeds --local-time 12:00:00 --time 12:00:00
Europe/Atlantis|--place Leeds --zone Europe/Atlantis
--zone|--local-time 12:00:00 --lat 53N48 --lon 001W33
REFUSED

finish
