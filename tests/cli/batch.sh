#!/usr/bin/env bash
# astrodesk-cli batch: each output line is `chart --format json` of its record with the "input"
# it came from, in input order whatever the number of threads; a bad record gets its error on its
# own line and the rest go on.
source "$(dirname "$0")/common.bash"

# Records across the fields' ranges: the era B.C., polar latitudes (where Placidus fails), both
# hemispheres, dates before and after the series' range, a name in UTF-8 with JSON's escapes.
records="$folder/records.jsonl"
{
    echo '{"name":"Équinoxe \"q\" \\ b","date":"20-03-2000","time":"07:35:00","latitude":"51N30","longitude":"000W10"}'
    echo '{"date":"01-01-0500","time":"00:00:00","era":"B.C.","latitude":"10S00","longitude":"100W00"}'
    echo '{"name":"Polar","date":"21-06-1985","time":"23:59:59","latitude":"78N13","longitude":"015E38"}'
    for i in $(seq 1 37); do # enough for the threads to overtake one another
        printf '{"name":"R%d","date":"%02d-%02d-%04d","time":"%02d:%02d:00","latitude":"%02dS%02d","longitude":"%03dE%02d"}\n' \
            "$i" $((i % 28 + 1)) $((i % 12 + 1)) $((1500 + 25 * i)) $((i % 24)) $((i % 60)) \
            $((i * 2)) $((i % 60)) $((i * 4)) $((i % 60))
    done
} >"$records"

# The chart command for one record line, with the batch's own options.
chart_of() {
    local line=$1 fields
    shift
    mapfile -d '' -t fields < <(jq -j '{name: "--name", date: "--date", time: "--time",
        latitude: "--lat", longitude: "--lon", era: "--era"} as $option
        | to_entries[] | $option[.key], "\u0000", .value, "\u0000"' <<<"$line")
    "$cli" chart --format json "${fields[@]}" "$@" 2>/dev/null
}

# The batch's lines against the chart command, line by line, read by jq (sorted keys).
compare_with_charts() {
    local output=$1
    shift
    [ "$(wc -l <"$output")" -eq "$(wc -l <"$records")" ] || fail "$* wrote $(wc -l <"$output") lines"
    local n=0
    while IFS= read -r line; do
        n=$((n + 1))
        batch_line=$(sed -n "${n}p" "$output")
        [ "$(jq -r .input <<<"$batch_line")" = "$line" ] || fail "$* line $n: input not echoed"
        diff <(jq -S 'del(.input)' <<<"$batch_line") <(chart_of "$line" "$@" | jq -S .) >/dev/null ||
            fail "$* line $n differs from the chart command: $line"
    done <"$records"
}

"$cli" batch --jobs 3 "$records" >"$folder/natal.jsonl" 2>"$folder/err" || fail "natal batch failed"
[ -s "$folder/err" ] && fail "natal batch wrote on stderr: $(cat "$folder/err")"
compare_with_charts "$folder/natal.jsonl"

options=(--house placidus --centre sun --zodiac precessed --orb 2)
"$cli" batch "$records" "${options[@]}" --jobs 2 >"$folder/options.jsonl" || fail "options failed"
compare_with_charts "$folder/options.jsonl" "${options[@]}"

technique=(--technique transits --target-date 01-01-2020 --target-time 12:00:00)
"$cli" batch "${technique[@]}" <"$records" >"$folder/transits.jsonl" || fail "stdin failed"
compare_with_charts "$folder/transits.jsonl" "${technique[@]}"

# One thread or several: the same bytes.
"$cli" batch --jobs 1 "$records" | cmp -s - "$folder/natal.jsonl" || fail "--jobs 1 differs"

# The record object that the chart prints reads back as a batch record, to the same chart (less
# the place, which the record's texts do not carry).
"$cli" chart --format json --name Back --date 02-03-1980 --local-time 10:00:00 --place London \
    2>/dev/null >"$folder/back.json"
jq -c .record "$folder/back.json" >"$folder/back.jsonl"
diff <("$cli" batch "$folder/back.jsonl" | jq -S 'del(.input)') \
    <(jq -S 'del(.record.place)' "$folder/back.json") >/dev/null || fail "a chart's record read back differs"

# Bad records among good ones: the error on the bad one's line, the others charted, status 1.
{
    sed -n 1p "$records"
    echo 'not json'
    echo '{"date":"32-01-2000","time":"12:00:00","latitude":"51N30","longitude":"000W10"}'
    echo
    echo '{"date":"01-01-2000","time":"12:00:00","latitude":"51N30"}'
    echo '{"date":20000101,"time":"12:00:00","latitude":"51N30","longitude":"000W10"}'
    sed -n 2p "$records"
} >"$folder/mixed.jsonl"
"$cli" batch "$folder/mixed.jsonl" >"$folder/mixed.out" 2>/dev/null
status=$?
[ "$status" -eq 1 ] || fail "a batch with bad records ended with status $status, not 1"
mapfile -t verdicts < <(jq -r 'if .error then "error: " + .error else "chart " + .input end' \
    "$folder/mixed.out")
[ "${#verdicts[@]}" -eq 6 ] || fail "the mixed batch wrote ${#verdicts[@]} lines, not 6"
for pattern in 'chart *Équinoxe*' 'error: not a JSON object' 'error: refused date*expected DD-MM-YYYY*' \
    'error: *no "longitude"*' 'error: "date" is not a text' 'chart *B.C.*'; do
    # shellcheck disable=SC2053
    [[ ${verdicts[0]} == $pattern ]] || fail "mixed batch: '${verdicts[0]}' is not '$pattern'"
    verdicts=("${verdicts[@]:1}")
done

# The batch's own options are refused before any record, status 2; so is a missing file.
expect_refused '--house "porphyry": expected' batch --house porphyry "$records"
expect_refused '--target-date for a natal chart' batch --target-date 01-01-2000 "$records"
expect_refused 'cannot read "'"$folder"'/none.jsonl"' batch "$folder/none.jsonl"
expect_refused '--jobs' batch --jobs 0 "$records"

# The progress bar is drawn on a terminal only, and cleared at the end.
script -qec "'$cli' batch '$records' >'$folder/tty.jsonl'" "$folder/tty.log" >/dev/null ||
    fail "batch on a terminal failed"
grep -q "40/40 charts\|/40 charts" "$folder/tty.log" || fail "no progress bar on a terminal"
cmp -s "$folder/tty.jsonl" "$folder/natal.jsonl" || fail "the terminal's batch differs"

finish
