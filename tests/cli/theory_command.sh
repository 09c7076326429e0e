#!/usr/bin/env bash
# astrodesk-cli theory: the theories at J2000.0 in text and JSON; refused arguments end with
# status 2, a missing or damaged coefficient file with its message and status 1.
source "$(dirname "$0")/common.bash"

# The geometric Sun and Moon of 2000 January 1, 12h: 280.377 and 223.319 degrees.
text=$($cli theory --date 01-01-2000 --time 12:00:00) || fail "J2000 refused"
grep -qE '^SUN +280\.377' <<<"$text" || fail "Sun: $text"
grep -qE '^MOON +223\.31' <<<"$text" || fail "Moon: $text"
[ "$(grep -cE '^[A-Z ]+( +-?[0-9]+\.[0-9]{10}){3}$' <<<"$text")" -eq 12 ] || fail "12 bodies: $text"

json=$($cli theory --date 01-01-2000 --time 12:00:00 --era AD --format json)
grep -q '"body": "PLUTO MEAN ORBIT"' <<<"$json" || fail "JSON bodies: $json"
grep -q '"MoonLongitude": 223.31' <<<"$json" || fail "JSON Moon: $json"

for arguments in "--date 29-13-2000 --time 00:00:00" "--date 01-01-2000 --time 7:00:00" \
    "--date 01-01-2000 --time 00:00:00 --era CE"; do
    # shellcheck disable=SC2086
    expect_refused "" theory $arguments
done

# Away from the build's data files: first none, then a damaged one.
cp "$cli" "$folder/"
cd "$folder" || exit 1
if [ ! -e /usr/share/astrodesk/PERTURBS.FIL ]; then # not found in the installed folder either
    message=$(./astrodesk-cli theory --date 01-01-2000 --time 12:00:00 2>&1 >/dev/null)
    [ $? -eq 1 ] && [[ $message == *PERTURBS.FIL*missing* ]] || fail "missing file: $message"
fi
printf '1,0,0,0,x,0\n' >PERTURBS.FIL
message=$(./astrodesk-cli theory --date 01-01-2000 --time 12:00:00 2>&1 >/dev/null)
[ $? -eq 1 ] && [[ $message == *'PERTURBS.FIL, line 1, column 9: "x" is not a number'* ]] ||
    fail "damaged file: $message"

finish
