#!/usr/bin/env bash
# astrodesk-cli map: every area in both projections with each map type (gnomic World refused),
# its JSON figures without a NaN, the picture of the legend panel beside the map, and the
# refusals with their messages and status 2.
source "$(dirname "$0")/common.bash"

record=(--name TEST --date 15-06-1990 --time 12:00:00 --lat 51N32 --lon 000W10)

for area in europe uk world usa far-east africa antipodes south-america polar; do
    for projection in gnomic cylindrical; do
        [ "$area/$projection" = world/gnomic ] && continue
        for type in local-space cartography pairs; do
            output=$("$cli" map "${record[@]}" --area $area --projection $projection --type $type) ||
                fail "$area $projection $type refused"
            grep -qwE "null|nan|inf" <<<"$output" && fail "not a number in $area $projection $type"
            grep -q "\"area\": \"$area\"" <<<"$output" || fail "no area in $area $projection $type"
            [ "$projection" = gnomic ] && ! grep -q '"latitudeDeg"' <<<"$output" &&
                fail "no centre of the gnomic $area map"
        done
    done
done

# The whole-world cartography map: three lines for each of the twelve bodies and their labels,
# the Sun overhead near Greenwich at noon in June.
output=$("$cli" map "${record[@]}" --area world --projection cylindrical --type cartography)
[ "$(grep -c '"label"' <<<"$output")" -eq 72 ] || fail "world cartography lacks lines or labels"
grep -q '"centre"' <<<"$output" && fail "a cylindrical map has a centre"
grep -A4 '"slot": 1,' <<<"$output" | grep -A3 '"kind": "sub"' | grep -qE '"x": -?0\.[0-9]' ||
    fail "the Sun is not overhead near Greenwich"

"$cli" map "${record[@]}" --area uk -o "$folder/uk.png" --format json >"$folder/uk.json" ||
    fail "PNG not written"
grep -q '"area": "uk"' "$folder/uk.json" || fail "--format json printed nothing beside the picture"
[ "$(od -An -tu1 -j16 -N8 "$folder/uk.png" | xargs)" = "0 0 2 126 0 0 1 172" ] ||
    fail "PNG is not the output screen's 638 x 428 pixels"
"$cli" map "${record[@]}" --area uk -o "$folder/uk.svg" --scale 2 >"$folder/none" || fail "no SVG"
[ -s "$folder/none" ] && fail "JSON printed without --format json"
grep -q '<svg x="434" y="0" width="842" height="856">' "$folder/uk.svg" ||
    fail "SVG lacks the map beside the legend panel"
grep -q '>SUN-LSP</text>' "$folder/uk.svg" || fail "SVG lacks the legend"
grep -B1 'fill="#000080">SUN-LSP</text>' "$folder/uk.svg" | grep -q '<rect .* fill="#C0C0C0"' ||
    fail "SVG lacks the light backing of the navy label"

refused() { expect_refused "$1" map "${record[@]}" "${@:2}"; }
refused "IMPOSSIBLE!*GNOMIC PROJECTION OF THE WHOLE WORLD!  CHANGE TO CYLINDRICAL" --area world
refused "MAPS ONLY FOR GEOCENTRIC CHARTS*"$'\n'"*IMPOSSIBLE!" --area world --centre sun
refused "MAPS ONLY FOR GEOCENTRIC CHARTS" --centre mars --projection cylindrical
refused "--area*expected*south-america" --area atlantis
refused "--format" --format xml
refused "-o" -o "$folder/map.jpg"
[ ! -e "$folder/map.jpg" ] || fail "a refused picture was written"

finish
