# An armed alarm moved to tomorrow while the clock passes its old time during the
# confirmation: the file then holds tomorrow's new time, armed, and nothing rang.
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

step "while the confirmation is open the clock passes 05:00 PM; then OK"
wait_for 20 window_id "Confirm Alarm Schedule" || fail "no confirmation"
set_clock "2026-12-06 17:00:20"
sleep 7  # the alarm's timer ticks every 5 seconds: let it meet the new time
answer "Confirm Alarm Schedule" Return
wait_for 10 main_window_withdrawn || fail "Set Alarm did not withdraw the window"
sleep 6  # a tick after the confirmation
[ "$(ring_count)" = 0 ] || fail "the moved alarm rang $(ring_count) time(s)"
[ "$(record_field "$APP/reminders.dat" 1)" = "09:00 AM|-1" ] || fail "record 1 is $(record_field "$APP/reminders.dat" 1)"
[ "$(record_day "$APP/reminders.dat" 1)" = 2026-12-07 ] || fail "record 1 is for $(record_day "$APP/reminders.dat" 1)"
echo "PASS"
