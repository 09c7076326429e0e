#!/usr/bin/env bash
# What a call sets up at its start. The shared libraries, as the dynamic loader reports them: the
# text commands load neither Qt nor the gazetteer (and the GLib it brings), which only place
# lookups need. The commands: a call registers only the one it names, so each must be found by
# the name that --help lists.
source "$(dirname "$0")/common.bash"

commands=$("$cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z]*\) .*/\1/p')
[ "$(wc -w <<<"$commands")" -ge 10 ] || fail "--help lists too few commands: $commands"
for command in $commands; do
    [[ $("$cli" "$command" --help) == *"Usage: "*" $command "* ]] || fail "$command --help"
done

# The file names of every object the loader maps for one call, the dlopened ones included.
loaded() { LD_DEBUG=files "$cli" "$@" 2>&1 >/dev/null | sed -n 's/.*file=\([^ ]*\).*/\1/p' | sort -u; }

record=(--date 10-02-1993 --time 20:15:30 --lat 51N32 --lon 000W08)
for call in "chart ${record[*]}" "chart ${record[*]} --format json" "theory --date 10-02-1993 --time 20:15:30" \
    "--version"; do
    # shellcheck disable=SC2086
    "$cli" $call >/dev/null || fail "$call refused"
    # shellcheck disable=SC2086
    libraries=$(loaded $call)
    grep -q 'libstdc++' <<<"$libraries" || fail "$call: no report from the loader"
    unwanted=$(grep -E 'libQt6|libglib|libgio|libgeonames' <<<"$libraries" | tr '\n' ' ')
    [ -z "$unwanted" ] || fail "$call loads $unwanted"
done

libraries=$(loaded place Tromso)
grep -q libgeonames <<<"$libraries" || fail "place does not open the gazetteer: $libraries"
grep -q libQt6 <<<"$libraries" && fail "place loads Qt"
finish
