# Sourced by the benchmarks: start_xvfb starts an X server on a display it finds free itself (a
# display chosen by the script may be taken, or locked by a server that died) and sets $display
# and $xvfb (its process). The server does not reset when its last client leaves: a program
# started during a reset could not connect.
start_xvfb() {
    local number
    number=$(mktemp)
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$number" ] && break
        sleep 0.1
    done
    display=:$(cat "$number")
    rm -f "$number"
    [ "$display" != ":" ] || { echo "Xvfb did not start" >&2; return 1; }
}
