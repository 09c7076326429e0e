#!/usr/bin/env bash
# The events command as a user runs it: the JSON and CSV fields, the iCalendar file read back by
# an independent parser (Python's icalendar), the local clock of a place, spans across a leap
# day and the change of era, and the refusals.
source "$(dirname "$0")/common.bash"

birth=(--date 15-06-1990 --time 12:00:00 --lat 51N30 --lon 000W07)

# JSON: an array in time order with the named fields; every kind present in a year.
"$cli" events "${birth[@]}" --from 01-01-2026 --days 365 --format json >"$folder/year.json" ||
    fail "events --format json"
jq -e 'length > 2000 and ([.[].julianDay] == ([.[].julianDay] | sort))' "$folder/year.json" \
    >/dev/null || fail "the JSON is not a long array in time order"
jq -e 'all(.[]; has("kind") and has("body") and has("target") and has("aspect") and
    has("phase") and has("date") and has("time") and has("era") and has("julianDay") and
    has("longitude"))' "$folder/year.json" >/dev/null || fail "a JSON event lacks a field"
for kind in transit ingress station return; do
    jq -e --arg k "$kind" 'any(.[]; .kind == $k)' "$folder/year.json" >/dev/null ||
        fail "no $kind in a year"
done
jq -e '[.[] | select(.kind == "return" and .body == "moon")] | length == 13 or length == 14' \
    "$folder/year.json" >/dev/null || fail "not 13 or 14 lunar returns in a year"
jq -e 'all(.[] | select(.kind == "ingress"); .target | test("^(AR|TA|GE|CN|LE|VI|LI|SC|SG|CP|AQ|PI)$"))' \
    "$folder/year.json" >/dev/null || fail "an ingress target is no sign abbreviation"

# CSV: the same events, row for row.
"$cli" events "${birth[@]}" --from 01-01-2026 --days 365 --format csv >"$folder/year.csv"
/usr/bin/python3 - "$folder/year.csv" "$folder/year.json" <<'PY' || fail "the CSV differs from the JSON"
import csv, json, sys
rows = list(csv.DictReader(open(sys.argv[1], newline="")))
events = json.load(open(sys.argv[2]))
assert len(rows) == len(events), (len(rows), len(events))
for row, event in zip(rows, events):
    for name in ("kind", "body", "target", "aspect", "phase", "date", "time", "era"):
        assert row[name] == event[name], (name, row, event)
    assert abs(float(row["julianDay"]) - event["julianDay"]) < 1e-7
PY

# The timeline picture: -o FILE.svg is well-formed SVG (Python's XML parser) headed by the
# chart's name and span, with a labelled bar for every aspect and natal point that Jupiter's
# transits of the year touch; -o FILE.png is a PNG of the same page.
"$cli" events --name ANN "${birth[@]}" --from 01-01-2026 --days 365 --bodies jupiter \
    --kinds transits -o "$folder/jupiter.svg" || fail "events -o FILE.svg"
"$cli" events --name ANN "${birth[@]}" --from 01-01-2026 --days 365 --bodies jupiter \
    --kinds transits --format json >"$folder/jupiter.json"
/usr/bin/python3 - "$folder/jupiter.svg" "$folder/jupiter.json" <<'PY' || fail "the timeline misses a transit"
import json, sys, xml.etree.ElementTree as tree
texts = [t.text for t in tree.parse(sys.argv[1]).iter("{http://www.w3.org/2000/svg}text")]
assert texts[0] == "TIMELINE OF ANN  01-01-2026 TO 31-12-2026", texts[0]
short = {"CONJUNCTION": "CON", "OPPOSITION": "OPP", "TRINE": "TRI", "SQUARE": "SQR",
         "SEXTILE": "SXT", "SEMISEXTILE": "SSX", "INCONJUNCT": "INC", "SEMISQUARE": "SSQ",
         "SESQUISQUARE": "SES"}
point = {"ascendant": "ASC", "midheaven": "MC"}
for e in json.load(open(sys.argv[2])):
    label = short[e["aspect"]] + " " + point.get(e["target"], e["target"].upper())
    assert label in texts, label
PY
"$cli" events "${birth[@]}" --from 01-01-2026 --days 30 -o "$folder/month.png" ||
    fail "events -o FILE.png"
[[ $(head -c 8 "$folder/month.png" | od -An -tx1 | tr -d ' ') == 89504e470d0a1a0a ]] ||
    fail "events -o FILE.png wrote no PNG"

# iCalendar: one VEVENT per exact moment at its Greenwich second; with --orb-spans a transit
# runs from entering its orb to leaving it, around its exact moment.
for spans in "" --orb-spans; do
    "$cli" events "${birth[@]}" --from 01-01-2026 --days 365 --format ics $spans \
        -o "$folder/year.ics" || fail "events --format ics $spans"
    /usr/bin/python3 - "$folder/year.ics" "$folder/year.json" "$spans" <<'PY' || fail "iCalendar $spans"
import datetime, json, sys, icalendar
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())
events = [e for e in json.load(open(sys.argv[2])) if e["phase"] == "exact"]
vevents = calendar.walk("VEVENT")
assert len(vevents) == len(events), (len(vevents), len(events))
epoch = datetime.datetime(2000, 1, 1, 12, tzinfo=datetime.timezone.utc)
uids = set()
for vevent, event in zip(vevents, events):
    exact = epoch + datetime.timedelta(days=event["julianDay"] - 2451545.0)
    start = vevent.decoded("DTSTART")
    uids.add(str(vevent["UID"]))
    assert event["body"].upper() in str(vevent["SUMMARY"]), vevent["SUMMARY"]
    if sys.argv[3] and event["kind"] == "transit":
        end = vevent.decoded("DTEND")
        assert start - datetime.timedelta(seconds=1) <= exact <= end + datetime.timedelta(seconds=1)
    else:
        assert abs((start - exact).total_seconds()) <= 0.5, (start, exact)
assert len(uids) == len(vevents)
PY
done

# Local clock times of the place's zone, in summer and winter.
"$cli" events --place Paris --date 15-06-1990 --local-time 14:00:00 --from 01-01-2026 \
    --days 365 --kinds ingresses --bodies sun --format json >"$folder/paris.json"
jq -e 'map(.utcOffset) | index("+01:00") != null and index("+02:00") != null' \
    "$folder/paris.json" >/dev/null || fail "Paris's offsets are not +01:00 and +02:00"

# A leap day, and the change of era from --from-era BC (1 B.C. is followed by 1 A.D.); the
# calendar change of 1582 in the event texts is the event text test's.
"$cli" events "${birth[@]}" --from 27-02-2024 --days 3 --format csv | grep -q '^[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,29-02-2024,' ||
    fail "no event on 29 February 2024"
eras=$("$cli" events "${birth[@]}" --from 01-12-0001 --from-era BC --days 62 --format csv |
    cut -d, -f6,8 | sed 1d)
grep -q ',B\.C\.$' <<<"$eras" && grep -q '^..-01-0001,A\.D\.$' <<<"$eras" ||
    fail "the span from 1 B.C. does not run into 1 A.D."

expect_refused 'refused --kinds "aspects"' events "${birth[@]}" --from 01-01-2026 --kinds aspects
expect_refused 'refused --bodies "earth"' events "${birth[@]}" --from 01-01-2026 --bodies earth
expect_refused 'refused --days 0' events "${birth[@]}" --from 01-01-2026 --days 0
expect_refused 'longer than a century' events "${birth[@]}" --from 01-01-1900 --to 01-01-2001
expect_refused '--to comes before --from' events "${birth[@]}" --from 01-01-2026 --to 31-12-2025
expect_refused 'refused --from "31-13-2026"' events "${birth[@]}" --from 31-13-2026
expect_refused 'iCalendar' events "${birth[@]}" --from 01-01-0005 --from-era BC --format ics
expect_refused 'past 31-12-9999' events "${birth[@]}" --from 31-12-9999 --days 2
finish
