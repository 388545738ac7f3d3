#!/usr/bin/env bash
# Runs pulsepanel against a simulated instrument: installs what is missing, builds, starts
# pulsesim on a pseudo-terminal linked as COM1 in a temporary PULSEPANEL_PORTS directory
# and starts the program (under Xvfb when there is no display). The simulator stays up
# while any instance of the program runs, so "Restart App" finds it again.
#
#   bash scripts/run-sim.sh [program arguments, e.g. -log]
#   PULSESIM_ARGS="--model 6180-36 --baud 9600" bash scripts/run-sim.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PROGRAM="$BUILD/src/app/pulsepanel"
SIMULATOR="$BUILD/sim/pulsesim"

# True while a pulsepanel process of ours (one that sees our port map) is alive.
program_running() {
    local pid
    for pid in $(pgrep -f -x "$PROGRAM.*" 2>/dev/null); do
        if tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "PULSEPANEL_PORTS=$PULSEPANEL_PORTS"; then
            return 0
        fi
    done
    return 1
}

run_program_and_wait() {
    "$PROGRAM" "$@" || true
    # A restart started a new instance that is not our child: wait for it too.
    while program_running; do
        sleep 1
    done
}

if [ "${PULSEPANEL_RUN_SIM_INNER:-}" = 1 ]; then
    run_program_and_wait "$@"
    exit 0
fi

install_missing_packages
configure_and_build

PULSEPANEL_PORTS="$(mktemp -d -t pulsepanel-ports.XXXXXX)"
export PULSEPANEL_PORTS
# shellcheck disable=SC2086
"$SIMULATOR" --ports "$PULSEPANEL_PORTS" --com 1 ${PULSESIM_ARGS:-} > "$PULSEPANEL_PORTS/.pulsesim.out" &
SIM_PID=$!
cleanup() {
    kill "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
    rm -rf "$PULSEPANEL_PORTS"
}
trap cleanup EXIT INT TERM

for _ in $(seq 100); do
    [ -e "$PULSEPANEL_PORTS/COM1" ] && break
    kill -0 "$SIM_PID" 2>/dev/null || { echo "pulsesim did not start" >&2; exit 1; }
    sleep 0.05
done
echo "pulsesim: $(head -n 1 "$PULSEPANEL_PORTS/.pulsesim.out") linked as $PULSEPANEL_PORTS/COM1"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
    # The whole wait runs inside xvfb-run, so a restarted instance keeps its display.
    PULSEPANEL_RUN_SIM_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "${BASH_SOURCE[0]}" "$@"
else
    run_program_and_wait "$@"
fi
