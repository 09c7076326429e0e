#!/usr/bin/env bash
# astrodesk-cli wheel: the picture file's extension picks PNG or SVG, --scale multiplies the
# output screen's size, and a bad file name or scale ends with status 2 before any file is made.
source "$(dirname "$0")/common.bash"

record=(--name TEST --date 15-06-1990 --time 12:00:00 --lat 51N32 --lon 000W10)

"$cli" wheel "${record[@]}" -o "$folder/wheel.png" --scale 2 || fail "PNG not written"
# PNG signature, then the IHDR width and height as big-endian 32-bit numbers.
[ "$(od -An -tx1 -N8 "$folder/wheel.png" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no PNG signature"
[ "$(od -An -tu1 -j16 -N8 "$folder/wheel.png" | xargs)" = "0 0 4 252 0 0 3 88" ] ||
    fail "PNG is not 1276 x 856 pixels"

"$cli" wheel "${record[@]}" -o "$folder/wheel.SVG" || fail "SVG not written"
grep -q '<svg xmlns="http://www.w3.org/2000/svg" width="638" height="428"' "$folder/wheel.SVG" ||
    fail "SVG is not 638 x 428"
grep -q '>NAME = TEST</text>' "$folder/wheel.SVG" || fail "SVG lacks the chart data"

# Any name the entry rule accepts gives a valid XML document, cut at 15 characters.
"$cli" wheel --name "José & <Ñúñez> Παπαδόπουλος" -o "$folder/name.svg" || fail "SVG with a name"
xmllint --noout "$folder/name.svg" || fail "SVG with a name is not valid XML"
grep -q '>NAME = José &amp; &lt;Ñúñez&gt; </text>' "$folder/name.svg" || fail "name not cut at 15"

expect_refused "-o" wheel -o "$folder/wheel.jpg"
expect_refused "--scale" wheel -o "$folder/wheel.png" --scale 0
expect_refused "--scale" wheel -o "$folder/wheel.png" --scale nan
[ ! -e "$folder/wheel.jpg" ] || fail "a refused picture was written"

finish
