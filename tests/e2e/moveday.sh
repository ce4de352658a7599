# An armed alarm moved to tomorrow while the clock passes its old time during the
# confirmation: the typed time never rings, the saved one rings once at its time, and
# the file then holds tomorrow's new time, armed, not spent by that ring.
source "$(dirname "$0")/lib.sh"

start_desktop
start_tray
start_sound
make_records "$APP/reminders.dat" "1|2026-12-06|05:00 PM|0|Call the garage|1"
set_clock "2026-12-06 14:00:00"

step "at 14:00 the reminder armed for 05:00 PM today is moved to 9am tomorrow"
start_app_on_clock
wait_for 20 icon_shown || fail "no icon"
click_icon 1
shown_for 1
watch_rings
click_control 48 68  # the alarm time
xdotool key ctrl+a
xdotool type --delay 20 "9am"
click_control 131 68  # the day of the date picker
xdotool key Up
click_control 48 164  # Set Alarm

step "while the confirmation is open the unconfirmed 9am does not ring"
wait_for 20 window_id "Confirm Alarm Schedule" || fail "no confirmation"
sleep 7  # the alarm's timer ticks every 5 seconds
[ "$(ring_count)" = 0 ] || fail "the unconfirmed time rang"

step "the clock passes the saved 05:00 PM: that alarm rings once; then OK"
set_clock "2026-12-06 17:00:20"
rang_once() { [ "$(ring_count)" = 1 ]; }
wait_for 20 rang_once || fail "the saved alarm did not ring at its time"
ring_answered() { ! window_id "Chimewright Personal Alarm"; }
wait_for 15 ring_answered || fail "the ring box stayed open"
answer "Confirm Alarm Schedule" Return
wait_for 10 main_window_withdrawn || fail "Set Alarm did not withdraw the window"
sleep 6  # a tick after the confirmation
[ "$(ring_count)" = 1 ] || fail "the alarm rang $(ring_count) times"
[ "$(record_field "$APP/reminders.dat" 1)" = "09:00 AM|-1" ] || fail "record 1 is $(record_field "$APP/reminders.dat" 1)"
[ "$(record_day "$APP/reminders.dat" 1)" = 2026-12-07 ] || fail "record 1 is for $(record_day "$APP/reminders.dat" 1)"
echo "PASS"
