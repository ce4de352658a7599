# Without a notification area the window stays reachable, minimised in the task bar,
# and File > Exit goes on to the warning and ends the program; a notification area
# that comes up later gets the icon, and the first Exit from its menu warns at once.
source "$(dirname "$0")/lib.sh"

start_desktop
ENTRY=$XDG_CONFIG_HOME/autostart/Chimewright.EXE.desktop
make_records "$APP/reminders.dat" "1|2026-12-06|11:00 PM|0|Late call|1"

# file_exit: brings the window up from the task bar and picks File > Exit.
file_exit() {
    [ "$WM" = none ] || xdotool windowactivate "$(main_window)"
    wait_for 10 main_window_viewable || fail "the window did not come up from the task bar"
    use_keyboard
    menu_exit
}

step "no tray host: the window is minimised, not hidden"
start_app "2026-12-06 10:00:00"
wait_for 20 main_window_minimised || fail "the window was not left in the task bar"
sleep 1
main_window_minimised || fail "the window did not stay in the task bar"

step "File > Exit warns; Cancel keeps the program in the task bar; OK ends it"
file_exit
answer "Exit Program?" Escape
wait_for 10 main_window_minimised || fail "after Cancel the window is not in the task bar"
kill -0 "$APP_PID" || fail "the program ended after Cancel"
file_exit
answer_ok "Exit Program?"
wait_for 15 sh -c "! kill -0 $APP_PID" || fail "the program did not end after OK"
[ -f "$ENTRY" ] || fail "no log-on entry for the armed reminder"

step "a notification area that comes up later gets the icon; its first Exit warns"
start_app "2026-12-06 10:00:00"
wait_for 20 main_window_minimised || fail "the window was not left in the task bar"
sleep 3
start_tray
icon_settled
tray_menu e
answer "Exit Program?" Escape
wait_for 10 main_window_withdrawn || fail "after Cancel the window did not go to the tray"
click_icon 1
shown_for 1
echo "PASS"
