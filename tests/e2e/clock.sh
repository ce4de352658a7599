# The clock moves under a running program: forward past an alarm (it rings late,
# once), back across a rung alarm (it does not ring again), a suspend across the
# alarm minute (it rings on resume), and both daylight-saving days.
source "$(dirname "$0")/lib.sh"

start_desktop
start_tray
start_sound
watch_rings

step "forward past the alarm: it rings late, once"
make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|late|1"
set_clock "2026-12-06 10:00:00"
start_app_on_clock
wait_for 20 icon_shown || fail "no icon"
set_clock "2026-12-06 15:10:00"
wait_for 15 test -s "$WORK/rings" || fail "no ring after the clock moved forward"

step "back across the rung alarm: no second ring"
set_clock "2026-12-06 14:24:55"
sleep 12
[ "$(ring_count)" = 1 ] || fail "rang $(ring_count) times"
[ "$(record_field "$APP/reminders.dat" 1)" = "        |0" ] || fail "not spent"
stop_app

step "suspended across the alarm minute: rings on resume"
: >"$WORK/rings"
make_records "$APP/reminders.dat" "2|2026-12-06|02:25 PM|0|after sleep|1"
set_clock "2026-12-06 14:24:50"
start_app_on_clock
wait_for 20 icon_shown || fail "no icon"
kill -STOP "$APP_PID"
sleep 16
[ "$(ring_count)" = 0 ] || fail "rang while stopped"
kill -CONT "$APP_PID"
wait_for 10 test -s "$WORK/rings" || fail "no ring after resume"
stop_app

export TZ=America/New_York
step "spring forward: 02:30 does not exist and rings at 03:00"
: >"$WORK/rings"
make_records "$APP/reminders.dat" "1|2026-03-08|02:30 AM|0|spring|1"
set_clock "2026-03-08 01:59:52"
start_app_on_clock
wait_for 20 icon_shown || fail "no icon"
[ "$(ring_count)" = 0 ] || fail "rang before the jump"
wait_for 20 test -s "$WORK/rings" || fail "02:30 did not ring after the jump to 03:00"
stop_app

step "fall back: 01:30 comes twice and rings once"
: >"$WORK/rings"
make_records "$APP/reminders.dat" "1|2026-11-01|01:30 AM|0|fall|1"
set_clock "2026-11-01 01:29:52 EDT"
start_app_on_clock
wait_for 20 icon_shown || fail "no icon"
wait_for 20 test -s "$WORK/rings" || fail "01:30 did not ring"
set_clock "2026-11-01 01:29:55 EST"
sleep 12
[ "$(ring_count)" = 1 ] || fail "rang $(ring_count) times on the day the clock falls back"
echo "PASS"
