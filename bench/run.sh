#!/usr/bin/env bash
# Performance benchmark: the Release build of Chimewright side by side with a minimal
# Qt 6 tray program (bench/floor), on a private X server with a tray host, a null
# sound sink and a faked clock. Writes docs/performance.md and docs/performance.png.
#   bench/run.sh            (about six minutes on two cores)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-packages packages.txt test-packages.txt
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHIMEWRIGHT_TESTS=OFF >/dev/null
cmake --build build/bench | tail -n 1
cmake -S bench/floor -B build/bench-floor -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-floor | tail -n 1
FLOOR=$root/build/bench-floor/floor

source "$root/tests/e2e/lib.sh" "$root/build/bench/bin/chimewright"
NO_A11Y=1 start_desktop
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON  # as on a desktop without a screen reader
start_tray
start_sound
RESULTS=$root/build/bench/results.txt
: >"$RESULTS"
put() { echo "$1=$2" >>"$RESULTS"; echo "$1 = $2"; }
now() { date +%s.%N; }
step() { echo "-- $*"; }
# The faked clock's offset from real time, in seconds, as the journeys' harness keeps it in a file.
clock_offset() { sed 's/^+//' "$WORK/clock"; }
set_clock_offset() { echo "+$1" | sed 's/+-/-/' >"$WORK/clock"; }

stats() {  # median min max of the numbers on stdin
    sort -g | awk '{a[NR]=$1} END {m = NR % 2 ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2; printf "%.3f %.3f %.3f\n", m, a[1], a[NR]}'
}

launch_to_icon() {  # NAME COMMAND...: seconds from launch to the icon, 1 warm-up + 5 runs
    local name=$1; shift
    local t0 t1 pid i
    for i in 0 1 2 3 4 5; do
        rm -f "$APP/reminders.dat"
        t0=$(now)
        "$@" >/dev/null 2>&1 &
        pid=$!
        until icon_shown "$name"; do sleep 0.01; done
        t1=$(now)
        kill "$pid"; wait "$pid" 2>/dev/null || true
        [ "$i" = 0 ] || echo "$t1 - $t0" | bc -l
        sleep 0.5
    done
}

step "launch to icon"
read -r m lo hi < <(launch_to_icon Chimewright "$APP/chimewright" | stats); put start_chimewright "$m $lo $hi"
floor_name=$(basename "$FLOOR")
read -r m lo hi < <(launch_to_icon "$floor_name" "$FLOOR" | stats); put start_floor "$m $lo $hi"

step "idle memory and CPU with three armed reminders"
make_records "$APP/reminders.dat" "1|2026-12-06|11:57 PM|0|one|1" "2|2026-12-06|11:58 PM|0|two|1" "3|2026-12-06|11:59 PM|0|three|1"
start_app "2026-12-06 12:00:00"
cw=$APP_PID
"$FLOOR" >/dev/null 2>&1 &
fl=$!
PIDS+=($fl)
sleep 10
mem() { echo "$(awk '/VmRSS/ {print $2}' /proc/$1/status) $(awk '/^Pss:/ {print $2}' /proc/$1/smaps_rollup)"; }
put mem_chimewright "$(mem $cw)"
put mem_floor "$(mem $fl)"
cpu() { awk '{print $14 + $15}' /proc/$1/stat; }
ctx() { awk '/ctxt_switches/ {s += $2} END {print s}' /proc/$1/status; }
c0=$(cpu $cw); f0=$(cpu $fl); x0=$(ctx $cw); y0=$(ctx $fl)
sleep 60
tick=$(getconf CLK_TCK)
put cpu_chimewright "$(echo "($(cpu $cw) - $c0) / $tick" | bc -l) $(( $(ctx $cw) - x0 ))"
put cpu_floor "$(echo "($(cpu $fl) - $f0) / $tick" | bc -l) $(( $(ctx $fl) - y0 ))"
kill "$cw" "$fl"; wait "$cw" "$fl" 2>/dev/null || true

step "ring latency: 10 first rings after start, 10 second rings in the same run"
cold=$WORK/cold; warm=$WORK/warm; onset=$WORK/onset
: >"$cold"; : >"$warm"; : >"$onset"
box_time() { until window_id "Chimewright Personal Alarm" >/dev/null; do sleep 0.01; done; now; }
for i in $(seq 1 10); do
    make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|cold|1" "2|2026-12-06|02:27 PM|0|warm|1"
    rm -f "$WORK/rec.wav"
    # The alarm minute begins, in real time, where the faked clock reads 14:25:00.
    set_clock "2026-12-06 14:24:56"
    minute=$(echo "$(date -d '2026-12-06 14:25:00' +%s) - $(clock_offset)" | bc -l)
    parec -d test_sink.monitor --latency-msec=10 --process-time-msec=10 --file-format=wav "$WORK/rec.wav" 2>/dev/null &
    rec=$!
    start_app
    tb=$(box_time)
    echo "$tb - $minute" | bc -l >>"$cold"
    sleep 1.5
    kill "$rec"; tk=$(now); wait "$rec" 2>/dev/null || true
    # The recording's start is placed back from its end, which is known precisely.
    python3 - "$WORK/rec.wav" "$tk" "$tb" >>"$onset" <<'PY'
import sys, wave, struct
w = wave.open(sys.argv[1]); rate = w.getframerate(); ch = w.getnchannels()
frames = w.readframes(w.getnframes())
samples = struct.unpack('<%dh' % (len(frames) // 2), frames)
start = float(sys.argv[2]) - len(samples) / ch / rate
for i, s in enumerate(samples):
    if abs(s) > 300:
        print('%.3f' % (start + i / ch / rate - float(sys.argv[3]))); break
PY
    answer "Chimewright Personal Alarm" Return
    # Move the faked clock on by a whole number of 5-second steps, so that the
    # timers keep their phase, to just before reminder 2's minute.
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

python3 "$root/bench/report.py" "$RESULTS" "$root/docs" "$(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), $(free -g | awk '/Mem:/ {print $2}') GiB"
echo "written: docs/performance.md, docs/performance.png"
