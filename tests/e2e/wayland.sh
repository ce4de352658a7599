# Natively on a Wayland compositor, driven as a Wayland desktop drives it: through
# its StatusNotifierItem and read over AT-SPI. Start-up to the notification area,
# restore, the summary, the ring heard and shown, exit.
source "$(dirname "$0")/lib.sh"

start_bus
start_sni_host
start_sound
start_wayland
make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|Buy milk|1"
main_shown() { [ "$(at window Chimewright | head -n1)" = frame ]; }
main_hidden() { ! main_shown; }

step "start-up: the item registers with its menu; the window stays hidden"
start_app "2026-12-06 14:24:40"
wait_for 20 sni_registered || fail "the item did not register"
[ "$(sni layout | cut -d'|' -f2)" = "$(printf '%s\n' _Restore _Details _Exit)" ] || fail "menu [$(sni layout)]"
grep -q libQt6WaylandClient "/proc/$APP_PID/maps" || fail "not running on Wayland"
main_hidden || fail "the window should start hidden"

step "restore from the icon, the summary from its menu"
sni activate
wait_for 10 main_shown || fail "Activate did not show the window"
expect_at 5 "Alarm is set.|" status
sni click _Details
wait_for 10 summary_lists 'Reminder# 1 is set.' || fail "no summary: [$(at window 'Chimewright Alarm Settings')]"
at press Ok || fail "no Ok in the summary"
sni click _Exit  # an armed reminder: the window withdraws to the notification area
wait_for 10 main_hidden || fail "the window stayed"

step "14:25: the window comes back, the melody is heard, the box is shown and can take the focus"
expect_box 35 "Chimewright Personal Alarm" "text:$(printf 'Message:\nBuy milk')" "button:OK"

wait_for 10 main_shown || fail "the window was not brought back"
at focusable OK || fail "the box's button cannot take the focus"
heard 4 || fail "the alarm was silent"
at press OK || fail "could not answer the box"
expect_at 10 "Alarm not set.|" status

step "exit from the menu: nothing armed, the program ends"
sni click _Exit
wait_for 15 sh -c "! kill -0 $APP_PID" || fail "the program did not end"
echo "PASS"
