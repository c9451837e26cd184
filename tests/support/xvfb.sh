# Sourced by the tests that drive the real program in an X server of their own. Without a
# tool or an X server they are skipped (77), except under CI, where they must run.

skip() {
    echo "SKIP: $*"
    [[ ${CI:-} == true ]] && exit 1
    exit 77
}

require_tools() {
    local tool
    for tool; do command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"; done
}

# enter_xvfb SCREEN SCRIPT ARGS...: outside an X server, runs SCRIPT ARGS again inside a new
# one with a scratch folder in VARELITH_XVFB_WORK and exits with its status; inside, returns.
# -noreset: a server that resets when its last client leaves refuses a program started then.
enter_xvfb() {
    local screen=$1 work status=0
    shift
    [[ ${VARELITH_XVFB_INSIDE:-} == 1 ]] && touch "$VARELITH_XVFB_WORK/started" && return
    work=$(mktemp -d)
    VARELITH_XVFB_INSIDE=1 VARELITH_XVFB_WORK="$work" \
        xvfb-run -a -s "-noreset -screen 0 $screen" "$@" || status=$?
    [[ $status -ne 0 && ! -e $work/started ]] && rm -rf "$work" && skip "no X server (xvfb-run: $status)"
    rm -rf "$work"
    exit "$status"
}
