#!/usr/bin/env bash
# astrodesk-cli chart: each record option passes its entry field rule; a refused value names
# the option and its expected form and ends with status 2.
set -u
cli=$1
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Expects status 2 and a message naming the option.
expect_refused() {
    local option=$1 value=$2 output status
    output=$("$cli" chart "$option" "$value" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] || fail "$option '$value' ended with status $status, not 2"
    [[ $output == *"$option"*expected* ]] || fail "$option '$value' message: $output"
}

expect_refused --date 32-01-2000
expect_refused --date 10/02/1993
expect_refused --date 10-02-0000
expect_refused --time 24:00:00
expect_refused --time 12:60:00
expect_refused --lat 90N00
expect_refused --lat 51E32
expect_refused --lon 180E00
expect_refused --lon 2W13
expect_refused --era ad
expect_refused --name ""
expect_refused --house porphyry

# A full record at the edges of every field; a lower-case hemisphere letter is kept as typed.
output=$("$cli" chart --name TEST --date 29-02-1999 --time 23:59:59 --lat 51n32 --lon 179w60 \
    --era BC --house regiomontanus) || fail "a valid record was refused"
for expected in "NAME *TEST" "DATE *29-02-1999 B.C." "PLACE *51n32 179w60" "HOUSE SYSTEM *regiomontanus" \
    "CUSP 12 "; do
    grep -q "^$expected" <<<"$output" || fail "missing '$expected' in: $output"
done
grep -qiwE "nan|inf" <<<"$output" && fail "not a number in: $output"

# Inside the polar circle Placidus gives way to equal houses with a notice.
output=$("$cli" chart --lat 75N00 --house placidus) || fail "a polar chart was refused"
grep -q "^NOTICE: placidus houses do not exist" <<<"$output" || fail "no polar notice: $output"
grep -qiwE "nan|inf" <<<"$output" && fail "not a number in: $output"

# The defaults: the present moment at the start-up place, equal houses.
output=$("$cli" chart) || fail "the default chart failed"
grep -q "^PLACE *53N28 002W13" <<<"$output" || fail "default place missing: $output"

exit $((failures > 0))
