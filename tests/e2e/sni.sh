# On a StatusNotifierItem host (the notification area of KDE Plasma, GNOME's
# AppIndicator extension, waybar): the item registers with its menu exported, and
# the host's Activate and menu clicks drive the program.
source "$(dirname "$0")/lib.sh"

start_desktop
start_bus
start_sni_host
ENTRY=$XDG_CONFIG_HOME/autostart/Chimewright.EXE.desktop

window_shown() { main_window_viewable && [ "$(at window Chimewright | head -n1)" = frame ]; }

step "the item registers with its title, status, icon and an exported menu"
make_records "$APP/reminders.dat" "1|2026-12-06|03:00 PM|0|Tea|1"
start_app "2026-12-06 14:00:00"
wait_for 20 sni_registered || fail "the item did not register"
mapfile -t item < <(sni item)
[ "${item[0]}" = Chimewright ] && [ "${item[1]}" = Active ] || fail "item reads [${item[*]}]"
[ -n "${item[2]}" ] || fail "the item has no icon"
[[ "${item[3]}" = /* && "${item[3]}" != /NO_DBUSMENU ]] || fail "no exported menu: ${item[3]}"
[ "$(sni layout | cut -d'|' -f2-)" = "$(printf '%s\n' "_Restore|True" "_Details|True" "_Exit|True")" ] \
    || fail "menu layout [$(sni layout)]"
window_shown && fail "the window should start hidden"

step "Activate shows the window"
sni activate
wait_for 10 window_shown || fail "Activate did not show the window"

step "the menu's Details shows the summary"
sni click _Details
wait_for 10 summary_lists 'Reminder# 1 is set.' || fail "no summary: [$(at window 'Chimewright Alarm Settings')]"
at press Ok || fail "no Ok in the summary"

step "Exit with the window shown withdraws to the notification area; again: the warning, the entry, the end"
sni click _Exit
wait_for 10 main_window_hidden || fail "the window stayed"
kill -0 "$APP_PID" || fail "the program ended with the window shown"
sni click _Exit
expect_box 10 "Exit Program?" \
    "text:$(printf 'An alarm has been set to ring within the next 24 hours.\nIf you close this program, the alarm may not run.')" \
    "button:OK" "button:Cancel"
at press OK || fail "could not answer the warning"
wait_for 15 sh -c "! kill -0 $APP_PID" || fail "the program did not end"
[ -f "$ENTRY" ] || fail "no log-on entry for the armed reminder"
echo "PASS"
