#!/usr/bin/env bash
# astrodesk-cli library: charts kept in a real library file, found by id, name or start of a
# name, used by the chart commands in place of the record options, written out and read back.
source "$(dirname "$0")/common.bash"
export ASTRODESK_LIBRARY="$folder/charts.sqlite"
unset XDG_DATA_HOME

[ -z "$($cli library list)" ] || fail "an empty library listed charts"
"$cli" library show 1 2>/dev/null && fail "show found a chart in no library"
[ ! -e "$ASTRODESK_LIBRARY" ] || fail "reading created the library"

"$cli" library add --name "Ann Smith" --date 10-02-1993 --time 20:15:30 --lat 51N32 --lon 000W08 \
    --kind f --note "from her" >/dev/null || fail "add refused"
"$cli" library add --name "Anna Berg" --date 01-05-1980 --local-time 09:30:00 --place Zurich \
    >/dev/null || fail "add with --place refused"
[[ $("$cli" library add --name "Ann Smith" --date 10-02-1993 --time 20:15:30 --lat 51N32 \
    --lon 000W08) == "already kept as chart 1 "* ]] || fail "a chart was kept twice"
expect_refused "needs --name" library add --name X --date 01-01-2000

# A unique start finds a chart; an ambiguous one lists the candidates with status 2.
[[ $("$cli" library show "anna") == *"place: Zurich"* ]] || fail "show anna"
expect_refused '2 charts match, name one by its id: 1 Ann Smith' library show Ann
expect_refused 'no chart' chart --chart Nobody
expect_refused 'xml not in' library list --format xml
expect_refused 'xml not in' library import --format xml "$folder/none.aaf"
expect_refused 'takes the place of the record options' chart --chart 1 --date 01-01-2000

# --chart charts exactly what the record options chart; the zone kept gives local clock times.
[ "$("$cli" chart --chart 1 --format json)" = "$("$cli" chart --name "Ann Smith" \
    --date 10-02-1993 --time 20:15:30 --lat 51N32 --lon 000W08 --format json)" ] ||
    fail "--chart charted another chart than its record"
"$cli" events --chart Anna --from 01-01-2027 --days 2 | grep -q ' CET ' ||
    fail "events of a kept chart with a zone show no local clock"
"$cli" relationship --chart 1 --partner-chart 2 >/dev/null || fail "--partner-chart"
"$cli" chart --name Zed --date 02-02-2002 --time 02:02:02 --lat 10N00 --lon 010E00 \
    --technique transits --save "Zed Two" >/dev/null 2>&1 || fail "--save"
[[ $("$cli" library list zed) == *"Zed Two  02-02-2002 02:02:02"* ]] || fail "--save kept no natal"

"$cli" library rename "Zed" "Zed Three" >/dev/null && "$cli" library show "Zed Three" >/dev/null ||
    fail "rename"
"$cli" library remove "Zed Three" >/dev/null && [ "$("$cli" library list | wc -l)" -eq 2 ] ||
    fail "remove"

# Export, then import into an empty library: the same charts in each format.
for format in aaf csv json; do
    "$cli" library export "$folder/all.$format" >/dev/null || fail "export $format"
    ASTRODESK_LIBRARY="$folder/$format.sqlite" "$cli" library import "$folder/all.$format" |
        grep -q "added 2, already there 0, refused 0" || fail "import $format"
    [ "$(ASTRODESK_LIBRARY="$folder/$format.sqlite" "$cli" library list --format json |
        grep -v '"added"\|"changed"')" = "$("$cli" library list --format json |
        grep -v '"added"\|"changed"')" ] || fail "$format did not come back the same"
done

# A batch of the library, or of its AAF and CSV files, gives each chart's `chart --format json`.
for source in --from-library "$folder/all.aaf" "$folder/all.csv"; do
    "$cli" batch $source >"$folder/batch.jsonl" || fail "batch $source"
    python3 - "$cli" "$folder/batch.jsonl" <<'CHECK' || fail "batch $source differs from chart"
import json, subprocess, sys
for line in open(sys.argv[2]):
    charted = json.loads(line)
    del charted["input"]
    r = charted["record"]
    alone = subprocess.run([sys.argv[1], "chart", "--format", "json", "--name", r["name"],
                            "--date", r["date"], "--time", r["time"], "--lat", r["latitude"],
                            "--lon", r["longitude"], "--era", r["era"][0] + r["era"][2]],
                           capture_output=True, text=True, check=True).stdout
    assert json.loads(alone) == charted, r["name"]
CHECK
done

# One bad record: nothing is written, unless --skip-bad.
printf 'name,date,time,era,latitude,longitude\nNew,01-01-2000,12:00:00,A.D.,51N30,000W07\nBad,32-01-2000,12:00:00,A.D.,51N30,000W07\n' \
    >"$folder/bad.csv"
message=$("$cli" library import "$folder/bad.csv" 2>&1)
[ $? -eq 1 ] || fail "an import with a bad record did not fail"
[[ $message == *"bad.csv:3: date: "* ]] || fail "the bad record was not named: $message"
[ "$("$cli" library list | wc -l)" -eq 2 ] || fail "a failed import wrote charts"
[[ $("$cli" library import --skip-bad "$folder/bad.csv" 2>/dev/null) == "added 1, already there 0, refused 1" ]] ||
    fail "--skip-bad"

# --library chooses the file; export takes a QUERY; --target-chart is a technique's moment.
other="$folder/other.sqlite"
"$cli" library add --library "$other" --name "Other One" --date 03-03-1933 --time 03:03:03 \
    --lat 33N33 --lon 033E33 >/dev/null || fail "add --library"
[[ $("$cli" library list --library "$other") == *"Other One"* &&
    $("$cli" library list | grep -c Other) -eq 0 ]] || fail "--library wrote to another file"
"$cli" library export "$folder/zurich.csv" zurich >/dev/null || fail "export with a query"
[ "$(cut -d, -f1 "$folder/zurich.csv" | tail -n +2)" = "Anna Berg" ] || fail "export zurich"
mapfile -t target < <("$cli" library show --format json Anna |
    jq -r '"--target-date", .date, "--target-time", .time')
[ "$("$cli" chart --chart 1 --technique transits --target-chart Anna --format json)" = \
    "$("$cli" chart --chart 1 --technique transits "${target[@]}" --format json)" ] ||
    fail "--target-chart charted another moment than the chart's"

# A library the user may not write is read, and a change is refused with the reason, status 1
# (the superuser may write any file, so it runs as an ordinary user then); every change the
# library refuses so is held by its own test.
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups) &&
    chmod 755 "$folder"
cp "$ASTRODESK_LIBRARY" "$folder/kept.sqlite" && chmod 444 "$folder/kept.sqlite"
[ "$("${as_user[@]}" "$cli" library list --library "$folder/kept.sqlite")" = \
    "$("$cli" library list)" ] ||
    fail "a read-only library was not read"
message=$("${as_user[@]}" "$cli" library remove 1 --library "$folder/kept.sqlite" 2>&1)
status=$?
[[ $status -eq 1 && $message == *"kept.sqlite is read-only"* ]] ||
    fail "library remove on a read-only library: status $status, $message"
cmp -s "$ASTRODESK_LIBRARY" "$folder/kept.sqlite" || fail "a read-only library was changed"
finish
