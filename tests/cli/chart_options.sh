#!/usr/bin/env bash
# astrodesk-cli chart: every record option passes its entry field rule; a refused value names
# the option and its expected form and ends with status 2.
source "$(dirname "$0")/common.bash"

while IFS=' ' read -r option value; do
    value=$(printf '%b' "$value") # escapes such as \n stand for control characters
    message=$($cli chart "$option" "$value" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] || fail "$option '$value' ended with status $status"
    [[ $message == *"$option"*expected* ]] || fail "$option '$value' gave: $message"
done <<'REFUSED'
--date 32-01-2000
--time 24:00:00
--lat 90N00
--lon 180E00
--era ad
--name
--house porphyry
--name TWO\nLINES
--orb \x01
REFUSED

# Mistakes of the command line itself, whatever the command: one line naming the mistake,
# control characters escaped, status 2.
while IFS='|' read -r expected arguments; do
    read -ra words <<<"$(printf '%b' "$arguments")"
    message=$($cli "${words[@]}" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] || fail "'$arguments' ended with status $status"
    [ "$(wc -l <<<"$message")" -eq 1 ] || fail "'$arguments' gave more than one line: $message"
    [[ $message == "astrodesk-cli: "*"$expected"* ]] || fail "'$arguments' gave: $message"
    LC_ALL=C grep -q '[[:cntrl:]]' <<<"$message" && fail "'$arguments' echoed a control character"
done <<'MISTAKES'
unknown command "frob"|frob
unknown command "--bogus"|--bogus
a command is needed|
unexpected argument --bogus|chart --bogus
unexpected argument stray|wheel -o x.svg stray
--date needs a value|chart --date
--date given more than once|chart --date 01-01-2000 --date 02-01-2000
--format|chart --format xml
--time is required|theory --date 01-01-2000
unknown command "a\x01b"|a\x01b
MISTAKES
$cli --help | grep -q "^Usage: .*astrodesk-cli \[OPTIONS\] SUBCOMMAND" || fail "--help changed"

# A record at the edges of its fields, then a polar Placidus chart, then the start-up record:
# the JSON figures carry the record as typed and never a NaN (which JSON writes as null); the
# only null is a distance that does not exist, and it comes with the reason.
check() { # expected line patterns, then the arguments
    local patterns=$1 output
    shift
    output=$($cli chart --format json "$@" 2>/dev/null) || fail "refused: $*"
    grep -v '"distanceAU": null,' <<<"$output" | grep -qwE "null|nan|inf" &&
        fail "not a number for $*: $output"
    [ "$(grep -c '"distanceAU": null' <<<"$output")" -eq "$(grep -c '"distanceNote"' <<<"$output")" ] ||
        fail "a distance left out without a reason for $*"
    while IFS= read -r pattern; do
        grep -q "$pattern" <<<"$output" || fail "no '$pattern' for $*: $output"
    done <<<"$patterns"
}
check $'"name": "TEST"\n"date": "29-02-1999"\n"era": "B.C."\n"latitude": "51n32"\n"houseSystem": 2' \
    --name TEST --date 29-02-1999 --time 23:59:59 --lat 51n32 --lon 179w60 --era BC \
    --house regiomontanus
check '"houseSystemUndefined": true' --date 15-06-1990 --time 12:00:00 --lat 75N00 --house placidus
check $'"latitude": "53N28"\n"longitude": "002W13"\n"houseSystem": 0\n"outsideSeriesRange": false'

# Deep time: the range of the published series in the JSON and on stderr, and the distance of
# Uranus, whose series gives a negative radius around 9000 B.C., left out with its reason.
deep=(--date 01-06-9035 --era BC --time 12:00:00)
check $'"outsideSeriesRange": true\n"fromYear": 1600\n"toYear": 2400\n"distanceNote": "the series of URANUS' "${deep[@]}"
$cli chart "${deep[@]}" 2>&1 >/dev/null | grep -q "^astrodesk-cli: note: 01-06-9035 B.C. lies outside 1600 to 2400" ||
    fail "no note on stderr for a date outside the series"
$cli chart 2>&1 >/dev/null | grep -q . && fail "a note for the present moment"

# A name in any script is kept whole in the JSON.
check '"name": "Παπαδόπουλος Zoë Müller-Ñúñez"' --name "Παπαδόπουλος Zoë Müller-Ñúñez"

finish
