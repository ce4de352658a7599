#!/usr/bin/env bash
# Performance benchmark: the Release build of Chimewright beside a minimal Qt 6 tray program
# (bench/floor) and, given a git revision, beside Chimewright as built from that revision, all
# in one run on a private X server with a tray host, a null sound sink and a faked clock.
# Writes docs/performance.md and docs/performance.png.
#   bench/run.sh [BASE_REVISION]      (about eight minutes on two cores)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Kept in the environment: the harness starts this script again in a namespace of its own, with
# the program's path as the only argument.
export BENCH_BASE=${BENCH_BASE-${1:-}}
base=$BENCH_BASE
tools/install-packages packages.txt test-packages.txt
release() {  # SOURCE BUILD: a Release build of the program
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHIMEWRIGHT_TESTS=OFF >/dev/null
    cmake --build "$2" | tail -n 1
}
release . build/bench
if [ -n "$base" ]; then
    rm -rf build/bench-base && mkdir -p build/bench-base/src
    git archive "$base" | tar -x -C build/bench-base/src
    release build/bench-base/src build/bench-base/build
fi
cmake -S bench/floor -B build/bench-floor -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-floor | tail -n 1
FLOOR=$root/build/bench-floor/floor

source "$root/tests/e2e/lib.sh" "$root/build/bench/bin/chimewright"
NO_A11Y=1 start_desktop
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON  # as on a desktop without a screen reader
start_tray
start_sound
BASE_APP=$WORK/base
if [ -n "$base" ]; then
    mkdir -p "$BASE_APP"
    cp build/bench-base/build/bin/{chimewright,README.TXT,odetojoy.mid,chimewright.xpm} "$BASE_APP/"
fi
RESULTS=$root/build/bench/results.txt
: >"$RESULTS"
put() { echo "$1=$2" >>"$RESULTS"; echo "$1 = $2"; }
now() { date +%s.%N; }
step() { echo "-- $*"; }
# The faked clock's offset from real time, in seconds, as the journeys' harness keeps it.
clock_offset() { sed 's/^+//' "$WORK/clock"; }
set_clock_offset() { echo "+$1" | sed 's/+-/-/' >"$WORK/clock"; }
stats() {  # median min max of the numbers on stdin
    sort -g | awk '{a[NR]=$1} END {m = NR % 2 ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2;
        printf "%.3f %.3f %.3f\n", m, a[1], a[NR]}'
}
once_to_icon() {  # NAME FOLDER COMMAND...: seconds from launch to the icon
    local name=$1 folder=$2 t0 t1 pid; shift 2
    rm -f "$folder/reminders.dat"
    t0=$(now)
    "$@" >/dev/null 2>&1 &
    pid=$!
    until icon_shown "$name"; do sleep 0.01; done
    t1=$(now)
    kill "$pid"; wait "$pid" 2>/dev/null || true
    sleep 0.5
    echo "$t1 - $t0" | bc -l
}

step "launch to icon: one warm-up each, then 5 runs each, taken in turn"
: >"$WORK/s.new"; : >"$WORK/s.base"; : >"$WORK/s.floor"
for i in 0 1 2 3 4 5; do
    t=$(once_to_icon Chimewright "$APP" "$APP/chimewright"); ((i)) && echo "$t" >>"$WORK/s.new"
    if [ -n "$base" ]; then
        t=$(once_to_icon Chimewright "$BASE_APP" "$BASE_APP/chimewright")
        ((i)) && echo "$t" >>"$WORK/s.base"
    fi
    t=$(once_to_icon floor "$WORK" "$FLOOR"); ((i)) && echo "$t" >>"$WORK/s.floor"
done
put start_chimewright "$(stats <"$WORK/s.new")"
put start_floor "$(stats <"$WORK/s.floor")"
[ -z "$base" ] || put start_base "$(stats <"$WORK/s.base")"

step "idle memory and CPU with three armed reminders, side by side"
armed=("1|2026-12-06|11:57 PM|0|one|1" "2|2026-12-06|11:58 PM|0|two|1"
    "3|2026-12-06|11:59 PM|0|three|1")
make_records "$APP/reminders.dat" "${armed[@]}"
start_app "2026-12-06 12:00:00"
cw=$APP_PID
if [ -n "$base" ]; then
    make_records "$BASE_APP/reminders.dat" "${armed[@]}"
    RUN=("$BASE_APP/chimewright")
    start_app
    bs=$APP_PID
fi
"$FLOOR" >/dev/null 2>&1 &
fl=$!
PIDS+=($fl)
sleep 10
mem() {  # RSS and PSS, kB
    echo "$(awk '/VmRSS/ {print $2}' /proc/$1/status)" \
        "$(awk '/^Pss:/ {print $2}' /proc/$1/smaps_rollup)"
}
cpu() { awk '{print $14 + $15}' /proc/$1/stat; }
ctx() { awk '/ctxt_switches/ {s += $2} END {print s}' /proc/$1/status; }
names=(chimewright floor); pids=($cw $fl)
[ -z "$base" ] || { names+=(base); pids+=($bs); }
declare -A c0 x0
for i in "${!pids[@]}"; do
    put "mem_${names[i]}" "$(mem "${pids[i]}")"
    c0[$i]=$(cpu "${pids[i]}"); x0[$i]=$(ctx "${pids[i]}")
done
sleep 60
tick=$(getconf CLK_TCK)
for i in "${!pids[@]}"; do
    p=${pids[i]}
    seconds=$(echo "($(cpu "$p") - ${c0[$i]}) / $tick" | bc -l)
    put "cpu_${names[i]}" "$seconds $(($(ctx "$p") - x0[$i]))"
done
kill "${pids[@]}"; wait "${pids[@]}" 2>/dev/null || true

step "ring latency: 10 first rings after start, 10 second rings in the same run"
cold=$WORK/cold; warm=$WORK/warm; onset=$WORK/onset
: >"$cold"; : >"$warm"; : >"$onset"
box_time() { until window_id "Chimewright Personal Alarm" >/dev/null; do sleep 0.01; done; now; }
for i in $(seq 1 10); do
    make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|cold|1" \
        "2|2026-12-06|02:27 PM|0|warm|1"
    rm -f "$WORK/rec.wav"
    # The alarm minute begins, in real time, where the faked clock reads 14:25:00.
    set_clock "2026-12-06 14:24:56"
    minute=$(echo "$(date -d '2026-12-06 14:25:00' +%s) - $(clock_offset)" | bc -l)
    parec -d test_sink.monitor --latency-msec=10 --process-time-msec=10 --file-format=wav \
        "$WORK/rec.wav" 2>/dev/null &
    rec=$!
    start_app
    tb=$(box_time)
    echo "$tb - $minute" | bc -l >>"$cold"
    sleep 1.5
    kill "$rec"; tk=$(now); wait "$rec" 2>/dev/null || true
    # The recording's start is placed back from its end, which is known precisely.
    python3 "$root/bench/onset.py" "$WORK/rec.wav" "$tk" "$tb" >>"$onset"
    answer "Chimewright Personal Alarm" Return
    # Move the faked clock on by a whole number of 5-second steps, so that the timers keep their
    # phase, to just before reminder 2's minute.
    alarm2=$(date -d '2026-12-06 14:27:00' +%s)
    step5=$(echo "5 * ((($alarm2 - ($(now) + $(clock_offset))) / 5) / 1)" | bc)
    set_clock_offset "$(echo "$(clock_offset) + $step5" | bc -l)"
    minute=$(echo "$alarm2 - $(clock_offset)" | bc -l)
    tb=$(box_time)
    echo "$tb - $minute" | bc -l >>"$warm"
    answer "Chimewright Personal Alarm" Return
    kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
done
put ring_cold "$(stats <"$cold")"
put ring_warm "$(stats <"$warm")"
put sound_onset "$(stats <"$onset")"

machine="$(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)"
machine+=", $(free -g | awk '/Mem:/ {print $2}') GiB"
python3 "$root/bench/report.py" "$RESULTS" "$root/docs" "$machine" \
    "${base:+$(git rev-parse --short "$base")}"
echo "written: docs/performance.md, docs/performance.png"
