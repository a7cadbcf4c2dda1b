# Sourced by the end-to-end scripts.

# wait_for SECONDS COMMAND... : runs the command every tenth of a second until it succeeds;
# fails once the deadline has passed.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}
