# At start: a missed alarm of today is reported and spent, a reminder of tomorrow with
# option 1 shows its notice; then today's alarm rings in its minute with the melody heard,
# the window brought back with the ring box above it.
source "$(dirname "$0")/lib.sh"

start_desktop
start_tray
start_sound
make_records "$APP/reminders.dat" \
    "1|2026-12-06|02:25 PM|0|Tea with Anna|1" \
    "2|2026-12-06|09:00 AM|0|Morning pills|1" \
    "3|2026-12-07|10:00 AM|1|Dentist tomorrow|1"

step "start at 14:24:50: the missed alarm, then the advance notice"
start_app "2026-12-06 14:24:50"
answer Chimewright Return
answer Chimewright Return
wait_for 20 icon_shown || fail "no icon after the review"
[ "$(record_field "$APP/reminders.dat" 2)" = "        |0" ] || fail "the missed alarm was not spent"
[ "$(record_field "$APP/reminders.dat" 3)" = "10:00 AM|-1" ] || fail "the notice changed its record"

step "14:25: the alarm rings, and the melody is heard"
wait_for 30 window_id "Chimewright Personal Alarm" || fail "the alarm did not ring"
wait_for 5 main_window_viewable || fail "the main window was not brought back"
stacked_above "$(window_id "Chimewright Personal Alarm")" "$(main_window)" || fail "the ring box is not above the window"
if [ -n "${CHIMEWRIGHT_SHOTS:-}" ]; then
    sleep 0.5
    import -window root -crop 880x420+0+0 "$CHIMEWRIGHT_SHOTS/ringing.png"
fi
heard 4 || fail "the alarm was silent"
[ "$(record_field "$APP/reminders.dat" 1)" = "        |0" ] || fail "the rung record is not spent"
answer "Chimewright Personal Alarm" Return

step "after OK the sound stops"
quiet 3 || fail "the sound went on after OK"
echo "PASS"
