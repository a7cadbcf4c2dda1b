# Sourced by the end-to-end scripts: a scratch directory "$work" removed at exit, and fail,
# which reports a failed check on stderr and counts it in "$failures".

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
