# Sourced by the tests that drive the real program in an X server of their own.

skipped=77

# Exits 77 (skipped) unless every named tool is installed.
require_tools() {
    local tool
    for tool; do
        command -v "$tool" >/dev/null 2>&1 || {
            echo "SKIP: $tool is not installed"
            exit "$skipped"
        }
    done
}

# enter_xvfb SCREEN SCRIPT ARGS...
# Outside an X server: runs SCRIPT ARGS again inside a new one, with a scratch folder in
# VARELITH_XVFB_WORK, and exits with its status (77 when no server could be started:
# xvfb-run then says 1 and nothing else). Inside: marks the server as started and returns.
enter_xvfb() {
    local screen=$1
    shift
    if [[ "${VARELITH_XVFB_INSIDE:-}" == 1 ]]; then
        touch "$VARELITH_XVFB_WORK/started"
        return
    fi
    local work status=0
    work=$(mktemp -d)
    VARELITH_XVFB_INSIDE=1 VARELITH_XVFB_WORK="$work" \
        xvfb-run -a -s "-screen 0 $screen" "$@" || status=$?
    if [[ $status -ne 0 && ! -e "$work/started" ]]; then
        echo "SKIP: no X server could be started (exit $status)"
        status=$skipped
    fi
    rm -rf "$work"
    exit "$status"
}
