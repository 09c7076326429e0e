#!/usr/bin/env bash
# astrodesk-cli interpret: the screens as text, each ended by a form feed; the hard copy as a PDF;
# the sections as JSON. A chart from another centre than the Earth is refused with status 2, and
# a faulty text file is named and ends the command with status 1 and no file.
source "$(dirname "$0")/common.bash"

# The Sun at 24 Gemini, the Moon in Pisces.
record=(--name "SAMPLE CHART" --date 15-06-1990 --time 12:00:00 --lat 51N32 --lon 000W10)

text=$("$cli" interpret "${record[@]}") || fail "text report refused"
screens=$(grep -c $'^\f$' <<<"$text")
[ "$screens" -gt 20 ] || fail "only $screens screens"
[ "$(head -1 <<<"$text")" = "$(head -1 PREAMBLE.TXT)" ] || fail "the reading does not open with the preamble"
[ "$(tail -3 <<<"$text" | head -1)" = "THIS IS THE END OF THE INTERPRETATION" ] ||
    fail "the last screen is not the closing one"
"$cli" interpret "${record[@]}" -o "$folder/report.TXT" || fail "text file refused"
cmp -s "$folder/report.TXT" <(printf '%s\n' "$text") || fail "the text file differs from the output"

json=$("$cli" interpret "${record[@]}" --format json) || fail "JSON refused"
for pattern in '"name": "SAMPLE CHART"' '"kind": "preamble"' '"kind": "element"' \
    '"kind": "house"' '"kind": "aspect"' '"file": "SUNSIGN1.TXT"' '"sign": "GEMINI"' \
    '"marker": "\$\$\$"' '"note": "N.B. ACCURATE TIME NEEDED FOR MOON ASPECTS!"'; do
    grep -q "$pattern" <<<"$json" || fail "JSON lacks $pattern"
done
grep -A2 '"file": "SUNSIGN1.TXT"' <<<"$json" | tr -d ' \n' | grep -q '"first":31,"last":45' ||
    fail "the Sun in Gemini is not lines 31-45 of SUNSIGN1.TXT"

# Each strength is the number of aspects the reading shows for its factor.
jq -e '[.sections[] | select(.kind == "aspect")] as $aspects
    | [.sections[] | select(.kind == "factor")]
    | length == 12 and all(.factor as $f | .strength ==
        ([$aspects[] | select(.factor == $f or .with == $f)] | length))' <<<"$json" >/dev/null ||
    fail "a strength differs from the aspects the reading shows"

"$cli" interpret "${record[@]}" -o "$folder/report.pdf" || fail "PDF refused"
paper=$(pdftotext -layout "$folder/report.pdf" - 2>/dev/null)
[ "$(head -1 <<<"$paper")" = "NAME = SAMPLE CHART" ] || fail "the PDF does not start with the name"
pages=$(pdfinfo "$folder/report.pdf" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 5 ] || fail "the PDF has ${pages:-no} pages"

expect_refused "INTERPRETATION ONLY AVAILABLE FOR GEOCENTRIC CHARTS" interpret "${record[@]}" --centre sun
expect_refused "expected a file name ending in .txt or .pdf" interpret -o "$folder/report.doc"
expect_refused "JSON" interpret --format json -o "$folder/report.pdf"
[ ! -e "$folder/report.doc" ] || fail "a refused report was written"

# A text file in the current folder comes before the shipped one.
mkdir "$folder/short" && cd "$folder/short" || exit 1
printf 'ONLY LINE\n' >PREAMBLE.TXT
message=$("$cli" interpret "${record[@]}" -o report.pdf 2>&1 >/dev/null)
[ $? -eq 1 ] && [[ $message == *"PREAMBLE.TXT HAS 1 LINES: LINES 1 TO 11 ARE NEEDED"* ]] ||
    fail "short text file: $message"
[ ! -e report.pdf ] || fail "an unfinished hard copy was left"

finish
