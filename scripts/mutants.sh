#!/usr/bin/env bash
# Plants one-line faults, one at a time, in a scratch copy of the working tree and runs the
# CTest test that must catch each; prints caught/missed per fault and the score.
# A tool for developers, not part of the test command. Usage:
#   scripts/mutants.sh            every fault
#   scripts/mutants.sh REGEX      the faults whose test, file or note matches REGEX
#   scripts/mutants.sh --list     the faults, each checked to be still found in its file
# Environment: PULSEPANEL_MUTANTS_DIR (scratch, default build-mutants/ in the tree),
# JOBS (parallel build jobs, default 2), MUTANT_TIMEOUT (seconds per test run, default 600).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SCRATCH="${PULSEPANEL_MUTANTS_DIR:-$ROOT/build-mutants}"
TREE="$SCRATCH/tree"
BUILD="$SCRATCH/build"
LOGS="$SCRATCH/logs"
JOBS="${JOBS:-2}"
TIMEOUT="${MUTANT_TIMEOUT:-600}"

TESTS=() FILES=() FINDS=() REPLACES=() NOTES=()
# fault TEST FILE[@N] TEXT REPLACEMENT NOTE
# TEXT is found literally in the one line of FILE that holds it (the N-th such line with
# @N) and replaced there by REPLACEMENT; TEST is the CTest test that must then fail.
fault() {
    TESTS+=("$1") FILES+=("$2") FINDS+=("$3") REPLACES+=("$4") NOTES+=("$5")
}

# --- the faults ----------------------------------------------------------------------------
fault transport src/transport/VKComPort.cpp \
    'indexOf(terminator, searchFrom) >= 0' 'indexOf(terminator, searchFrom) > 0' \
    'a reply of only the terminator (empty) is not seen'
fault transport src/transport/VKComPort.cpp \
    'deadline = QDeadlineTimer(qint64(FResponseTime), Qt::PreciseTimer);' '' \
    'Retry in the time-out box does not wait a full reply time again'
fault transport src/transport/VKComPort.cpp \
    'return ok ? bytes : text;' 'return bytes;' \
    'a terminator text that does not parse is not taken verbatim'
fault transport src/transport/PortMap.cpp \
    'const qint32 number = k + 1;' 'const qint32 number = k;' \
    '/dev/ttyS<k> is numbered COM k'
fault link src/link/Exchange.cpp@1 \
    'QThread::msleep(PauseMs);' '' \
    'no 30 ms pause before a query'
fault panel_behaviour src/link/Exchange.cpp@2 \
    'QThread::msleep(PauseMs);' '' \
    'no 30 ms pause before a command (queue pass)'
fault link src/link/Exchange.cpp@1 \
    'if (FPort.InUse())' 'if (false)' \
    'a query started inside another exchange'"'"'s wait is not refused'
fault link src/link/Exchange.cpp \
    'FApp.StartStatusTimer();' '' \
    'Ignore after a lost reply does not resume the status poll'
fault link src/link/Discovery.cpp \
    '{115200, 57600, 38400, 19200, 9600, 4800}' '{9600, 115200, 57600, 38400, 19200, 4800}' \
    'the search tries the baud rates out of order'
fault instrument src/decimal/DecimalText.cpp \
    "const bool up = d.Digits[keep] >= '5';" "const bool up = d.Digits[keep] > '5';" \
    'fixed-decimal numbers round a half down'
fault instrument src/instrument/NumberFormat.cpp \
    '*v > std::numeric_limits<std::int32_t>::max())' 'false)' \
    '32-bit integers above the range are accepted'
fault instrument src/instrument/ValueRanges.cpp \
    'if (channelCount >= 36) {' 'if (channelCount > 36) {' \
    '36-channel models get the value ranges of the smaller ones'
fault widgets src/widgets/PlusSpinEdit.cpp \
    'else if (v > fMaxValue)' 'else if (false)' \
    'a value above the upper limit is not clamped'
fault widgets src/widgets/PlusSpinEdit.cpp \
    'constexpr int FirstRepeatDelayMs = 500;' 'constexpr int FirstRepeatDelayMs = 150;' \
    'a held spin button repeats without its first 500 ms delay'
fault files src/files/SettingsFileReader.cpp \
    'return line.contains("//");' 'return line.startsWith("//");' \
    'a settings line with a trailing // note is sent'
fault files src/files/SettingsFileSequence.cpp \
    'FSeams.Pause(LinePauseMs);' '' \
    'no 30 ms pause between replayed settings lines'
fault panel_behaviour src/session/Session.cpp \
    '} else if (!running) {' '} else if (running) {' \
    'a poll does not see an output started at the instrument'
fault panel_behaviour src/panel/PanelView.cpp \
    'currentIndex() == TStatusPoll::ShotCountPage' 'currentIndex() != TStatusPoll::ShotCountPage' \
    'the shot count is read on the wrong pages'
fault panel_behaviour src/session/CommandQueue.cpp \
    'if (FState.Link.CommandsDisabled)' 'if (false)' \
    'changes made while a read-back fills the controls are sent'
fault panel_behaviour src/session/CommandQueue.cpp \
    'FState.PendingCommands.takeFirst()' 'FState.PendingCommands.takeLast()' \
    'the queue sends the newest command first'
fault panel_service src/service/CalibrationAdjustments.cpp \
    'm.WidthCal = m.WidthCal + value - m.DelayCal;' 'm.WidthCal = m.WidthCal - value + m.DelayCal;' \
    'a delay calibration change moves the width the wrong way'
fault panel_service src/session/SessionReadBack.cpp \
    '{TChannelCal::Width, TChannelCal::Delay,' '{TChannelCal::Delay, TChannelCal::Width,' \
    'the read-back asks a channel'"'"'s delay before its width'
fault panel_service src/session/SessionReadBack.cpp \
    '*fields[i] = v;' '' \
    'the read-back writes a control before its model: the delay read moves the width read'
fault panel_service src/service/ServiceAccess.cpp \
    's.InstrumentUnsecured = false;' '' \
    'a wrong service code leaves the instrument counted as unsecured'
fault pulsesim sim/PtyDriver.cpp \
    'if (baud != FWire.Baud) {' 'if (false) {' \
    'the simulator answers at any baud rate'

# --- machinery -----------------------------------------------------------------------------
# Copies the working tree (tracked and new files) into the scratch tree; unchanged files
# keep their times, so the scratch build stays incremental.
sync_tree() {
    mkdir -p "$TREE"
    local list="$SCRATCH/files.txt"
    (cd "$ROOT" && git ls-files -co --exclude-standard) | sort >"$list"
    while IFS= read -r f; do
        [ -f "$ROOT/$f" ] || continue
        if ! cmp -s "$ROOT/$f" "$TREE/$f"; then
            mkdir -p "$(dirname "$TREE/$f")"
            cp "$ROOT/$f" "$TREE/$f"
        fi
    done <"$list"
    (cd "$TREE" && find . -type f | sed 's|^\./||' | sort) | comm -23 - "$list" |
        while IFS= read -r stale; do rm -f "$TREE/$stale"; done
}

# The executable a CTest test runs (the first argument inside the build folder).
test_target() {
    local line
    line=$(grep -rh --include=CTestTestfile.cmake -F "add_test([=[$1]=]" "$BUILD" | head -n1)
    [ -n "$line" ] || { echo "no CTest test named $1" >&2; return 1; }
    printf '%s\n' "$line" | grep -oE "\"$BUILD/[^\"]+\"" | head -n1 | tr -d '"' | xargs basename
}

build_for() { # test names...
    local targets=(pulsesim) t
    for t in "$@"; do targets+=("$(test_target "$t")"); done
    cmake --build "$BUILD" -j "$JOBS" --target "${targets[@]}" >"$LOGS/build.log" 2>&1
}

run_test() { # test, log
    (cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest -R "^$1\$" --timeout "$TIMEOUT" \
        --output-on-failure >"$2" 2>&1)
}

# Writes source file of fault i with the fault planted to $SCRATCH/planted; fails with 3
# when the text is not found, 4 when it is on more than one line and no @N says which.
planted_copy() { # i, tree
    local i=$1 file="$2/${FILES[$1]%@*}" nth=1
    [[ "${FILES[$i]}" == *@* ]] && nth="${FILES[$i]##*@}"
    local explicit=0
    [[ "${FILES[$i]}" == *@* ]] && explicit=1
    MUT_FIND="${FINDS[$i]}" MUT_REPL="${REPLACES[$i]}" awk -v nth="$nth" -v explicit="$explicit" '
        BEGIN { f = ENVIRON["MUT_FIND"]; r = ENVIRON["MUT_REPL"]; n = 0; done = 0 }
        { p = index($0, f)
          if (p > 0) { n++; if (n == nth) { $0 = substr($0, 1, p - 1) r substr($0, p + length(f)); done = 1 } }
          print }
        END { if (!done) exit 3; if (!explicit && n > 1) exit 4 }
    ' "$file" >"$SCRATCH/planted"
}

plant() {
    planted_copy "$1" "$TREE" || return $?
    cp "$SCRATCH/planted" "$TREE/${FILES[$1]%@*}" # a fresh time: the build picks it up
}

unplant() {
    local file="${FILES[$1]%@*}"
    cp "$ROOT/$file" "$TREE/$file" # a fresh time again, so the fault's objects are rebuilt
}

SELECT="${1:-}"
mkdir -p "$LOGS"
if [ "$SELECT" = "--list" ]; then
    for i in "${!TESTS[@]}"; do
        status=0
        planted_copy "$i" "$ROOT" || status=$?
        state=ok
        [ $status -eq 3 ] && state="TEXT NOT FOUND"
        [ $status -eq 4 ] && state="TEXT ON SEVERAL LINES"
        printf '%2d %-16s %-40s %s%s\n' $((i + 1)) "${TESTS[$i]}" "${FILES[$i]}" "${NOTES[$i]}" \
            "$([ "$state" = ok ] || echo "  [$state]")"
    done
    exit 0
fi
CHOSEN=()
for i in "${!TESTS[@]}"; do
    if [ -z "$SELECT" ] || printf '%s %s %s\n' "${TESTS[$i]}" "${FILES[$i]}" "${NOTES[$i]}" |
        grep -qE -- "$SELECT"; then
        CHOSEN+=("$i")
    fi
done
[ ${#CHOSEN[@]} -gt 0 ] || { echo "no fault matches: $SELECT" >&2; exit 2; }

sync_tree
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$TREE" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$LOGS/configure.log"
fi
mapfile -t NEEDED < <(for i in "${CHOSEN[@]}"; do echo "${TESTS[$i]}"; done | sort -u)
echo "Building the scratch copy in $BUILD ..."
build_for "${NEEDED[@]}" || { echo "the scratch copy does not build: $LOGS/build.log" >&2; exit 2; }
for t in "${NEEDED[@]}"; do
    if ! run_test "$t" "$LOGS/baseline-$t.log"; then
        echo "test $t fails without any fault: $LOGS/baseline-$t.log" >&2
        exit 2
    fi
done

caught=0
missed=()
total=${#CHOSEN[@]}
k=0
for i in "${CHOSEN[@]}"; do
    k=$((k + 1))
    label=$(printf '[%2d/%d] %-16s %s' "$k" "$total" "${TESTS[$i]}" "${NOTES[$i]}")
    log="$LOGS/fault-$((i + 1)).log"
    status=0
    plant "$i" || status=$?
    if [ $status -ne 0 ]; then
        reason="text not found"
        [ $status -eq 4 ] && reason="text on more than one line"
        echo "BAD     $label ($reason in ${FILES[$i]})"
        missed+=("$((i + 1)) ${NOTES[$i]} (bad fault: $reason)")
        continue
    fi
    if ! build_for "${TESTS[$i]}"; then
        cp "$LOGS/build.log" "$log"
        result="caught (does not build)"
    elif run_test "${TESTS[$i]}" "$log"; then
        result="MISSED"
    elif grep -q "\*\*\*Timeout" "$log"; then
        result="caught (time-out)"
    else
        result="caught"
    fi
    unplant "$i"
    if [ "$result" = MISSED ]; then
        missed+=("$((i + 1)) ${NOTES[$i]}")
        printf 'MISSED  %s\n' "$label"
    else
        caught=$((caught + 1))
        printf '%-7s %s%s\n' caught "$label" "$([ "$result" = caught ] || echo " (${result#caught })")"
    fi
done

echo
echo "score: $caught of $total faults caught"
for m in "${missed[@]}"; do echo "  missed: $m"; done
[ "$caught" -eq "$total" ]
