# Starts to the tray, opens from the icon on the first click, goes back to the tray
# when the window manager minimises it, refuses a second copy, ends from the tray menu.
source "$(dirname "$0")/lib.sh"

start_desktop
start_tray
step "start: the icon appears, the window stays hidden"
start_app
wait_for 20 icon_shown || fail "the icon did not appear"
wait_for 10 main_window_withdrawn || fail "the window should start hidden"
[ -f "$APP/reminders.dat" ] || fail "reminders.dat was not created"

step "one left click shows the window, and it stays"
click_icon 1
shown_for 2
if [ -n "${CHIMEWRIGHT_SHOTS:-}" ]; then
    import -window root -crop 431x360+0+0 "$CHIMEWRIGHT_SHOTS/window.png"
fi

if [ "$WM" != none ]; then
    step "the window manager's minimise goes to the tray; one click brings the window back"
    xdotool windowminimize "$(main_window)"
    wait_for 10 main_window_withdrawn || fail "the minimised window did not go to the tray"
    icon_shown || fail "the icon went away"
    click_icon 1
    shown_for 2
fi

step "a second copy ends at once and leaves reminders.dat alone"
before=$(stat -c '%Y %s %i' "$APP/reminders.dat")
timeout 10 "$APP/chimewright" || fail "the second copy did not end cleanly"
[ "$before" = "$(stat -c '%Y %s %i' "$APP/reminders.dat")" ] || fail "the second copy touched reminders.dat"
kill -0 "$APP_PID" || fail "the first copy died"

step "the tray menu's Details shows the summary; a left click on the icon closes it"
tray_menu d
wait_for 10 sh -c "xdotool search --onlyvisible --name '^Chimewright Alarm Settings\$'" || fail "no summary window"
if [ -n "${CHIMEWRIGHT_SHOTS:-}" ]; then
    sleep 0.5
    sid=$(xdotool search --onlyvisible --name '^Chimewright Alarm Settings$' | head -n1)
    import -window "$sid" "$CHIMEWRIGHT_SHOTS/summary.png"
fi
click_icon 1
wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Chimewright Alarm Settings\$'" || fail "the summary stayed open"

step "the tray menu's Exit ends the program and removes the icon"
tray_menu e
wait_for 15 sh -c "! kill -0 $APP_PID" || fail "the program did not end"
icon_shown && fail "the icon is still there"

step "a copy killed hard leaves no lock that blocks the next start"
start_app
wait_for 20 icon_shown || fail "no icon on the second run"
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
start_app
wait_for 20 icon_shown || fail "a stale lock blocked the start"
echo "PASS"
