#!/usr/bin/env bash
# astrodesk-cli: technique charts from the record options and a target moment, the relationship
# chart of the record and a partner, their wheels, and the refusals of their options.
source "$(dirname "$0")/common.bash"

ann=(--name ANN --date 10-02-1993 --time 20:15:30 --lat 51N32 --lon 000W08)
bob=(--partner-name BOB --partner-date 01-06-1990 --partner-time 06:00:00 --partner-lat 40N43
    --partner-lon 074W00)

expect_lines() { # the patterns, one a line, then the command's arguments
    local patterns=$1 output
    shift
    output=$("$cli" "$@") || { fail "status $? for $*"; return; }
    while IFS= read -r pattern; do
        grep -qF -- "$pattern" <<<"$output" || fail "no '$pattern' for $*"
    done <<<"$patterns"
}

# Thirty years of progressions are thirty days less a minute; the natal name and place stay. The
# effective moment is counted from JD 2415020.0 (1899 December 31, 12h).
expect_lines $'"name": "ANN"\n"date": "12-03-1993"\n"time": "20:14:27"\n"latitude": "51N32"
"effectiveJulianCenturies": 0.931946430\n"technique": 1' \
    chart "${ann[@]}" --technique progressions --target-date 10-02-2023 --target-time 20:15:30 \
    --format json
# The solar return of 2030: where the Sun is back at 22 AQ 06' 50.1", twenty minutes after the
# mean-year moment; converse, the same span before birth. The lunar return nearest the first of
# January 2030 has the Moon back at 16 LI 09' 43.1".
expect_lines $'DATE = 10-02-2030 A.D.\nTIME = 19:39:43\nTHE SUN       22° AQ 06\' 50.2"' \
    chart "${ann[@]}" --technique returns --target-date 01-01-2030
expect_lines $'TIME = 19:19:26' chart "${ann[@]}" --technique returns --target-date 01-01-2030 \
    --return mean
expect_lines $'DATE = 11-02-1956 A.D.\nTIME = 20:51:17' \
    chart "${ann[@]}" --technique returns --target-date 01-01-2030 --return exact --converse
expect_lines $'DATE = 29-12-2029 A.D.\nTIME = 01:35:41\nTHE MOON      16° LI 09\' 43.2"' \
    chart "${ann[@]}" --technique lunar-returns --target-date 01-01-2030 --target-time 00:00:00
# Solar arc: the progressed Sun (22 PI 15' 54.8") has run 30 09' 04.7" from the natal Sun, and the
# natal Midheaven (25 GE 05' 30.9") as far.
expect_lines $'MIDHEAVEN     25° CN 14\' 35.6"\nTHE SUN       22° PI 15\' 54.8"' \
    chart "${ann[@]}" --technique progressions --target-date 10-02-2023 --target-time 20:15:30 \
    --angles solar-arc
# London and New York: the mean moment at the great-circle midpoint (52.3804 N, 41.3000 W by the
# normalised sum of the two unit vectors).
expect_lines $'DATE = 07-10-1991 A.D.\nTIME = 01:07:45\nNAME = ANN & BOB ( REL. )\nLAT = 52N23
LON = 041W18' relationship "${ann[@]}" "${bob[@]}"

"$cli" wheel "${ann[@]}" "${bob[@]}" -o "$folder/wheel.svg" || fail "no relationship wheel"
grep -q '>NAME = ANN &amp; BOB' "$folder/wheel.svg" || fail "the wheel is not the relationship's"

expect_refused '--technique "progression": expected' chart --technique progression
expect_refused '--target-date for a natal chart' chart --target-date 01-01-2000
expect_refused '--return "true": expected exact or mean' chart --technique returns --return true
expect_refused '--return: expected --technique returns' chart --technique transits --return mean
expect_refused '--angles: expected --technique progressions' chart --angles solar-arc
expect_refused '--partner-lon "181W00": expected' \
    relationship --partner-date 01-06-1990 --partner-lon 181W00
expect_refused 'outside the years 9999 B.C. to 9999 A.D.' \
    chart --date 01-01-9990 --technique transits --converse --target-date 01-01-9000 --target-era BC
"$cli" relationship "${ann[@]}" >/dev/null 2>&1 && fail "relationship without a partner date"

finish
