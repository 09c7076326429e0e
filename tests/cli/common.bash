# Sourced by each command-line script: the program under test (the first argument), a scratch
# folder removed at the end, and the checks they share. A script ends with `finish`.
set -u
cli=$(realpath "$1")
failures=0
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The arguments are refused: status 2 and a message matching the pattern (a glob, * for any).
expect_refused() {
    local pattern=$1 message status
    shift
    message=$("$cli" "$@" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] || fail "$* ended with status $status, not 2"
    # shellcheck disable=SC2053
    [[ $message == *$pattern* ]] || fail "$* gave: $message"
}

finish() { exit $((failures > 0)); }
