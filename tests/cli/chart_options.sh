#!/usr/bin/env bash
# astrodesk-cli chart: every record option passes its entry field rule; a refused value names
# the option and its expected form and ends with status 2.
set -u
cli=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

while IFS=' ' read -r option value; do
    value=$(printf '%b' "$value") # escapes such as \n stand for control characters
    message=$($cli chart "$option" "$value" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] || fail "$option '$value' ended with status $status"
    [[ $message == *"$option"*expected* ]] || fail "$option '$value' gave: $message"
done <<'REFUSED'
--date 32-01-2000
--date 10/02/1993
--time 24:00:00
--lat 90N00
--lat 51E32
--lon 180E00
--lon 2W13
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
# the JSON figures carry the record as typed and never a NaN (which JSON writes as null).
check() { # expected line patterns, then the arguments
    local patterns=$1 output
    shift
    output=$($cli chart --format json "$@") || fail "refused: $*"
    grep -qwE "null|nan|inf" <<<"$output" && fail "not a number for $*: $output"
    while IFS= read -r pattern; do
        grep -q "$pattern" <<<"$output" || fail "no '$pattern' for $*: $output"
    done <<<"$patterns"
}
check $'"name": "TEST"\n"date": "29-02-1999"\n"era": "B.C."\n"latitude": "51n32"\n"houseSystem": 2' \
    --name TEST --date 29-02-1999 --time 23:59:59 --lat 51n32 --lon 179w60 --era BC \
    --house regiomontanus
check '"houseSystemUndefined": true' --lat 75N00 --house placidus
check $'"latitude": "53N28"\n"longitude": "002W13"\n"houseSystem": 0'

# A name in any script is kept whole in the JSON and cut to 23 characters, not bytes, in the
# listing.
check '"name": "Παπαδόπουλος Zoë Müller-Ñúñez"' --name "Παπαδόπουλος Zoë Müller-Ñúñez"
$cli chart --name "Παπαδόπουλος Zoë Müller-Ñúñez" | grep -q "NAME = Παπαδόπουλος Zoë Müller$" ||
    fail "the listing does not cut the name at 23 characters"

exit $((failures > 0))
