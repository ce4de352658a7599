# Sets an alarm through the window as a user would, finds the log-on entry in step,
# survives SIGTERM, starts again from the entry's Exec line, then clears the alarm.
source "$(dirname "$0")/lib.sh"

start_desktop
start_tray
ENTRY=$XDG_CONFIG_HOME/autostart/Chimewright.EXE.desktop
# A program folder whose name needs quoting in the entry.
mv "$APP" "$WORK/my \$apps"
APP="$WORK/my \$apps"

step "open the window from the icon and set an alarm from the keyboard"
start_app "2026-12-06 10:00:00"
wait_for 20 icon_shown || fail "no icon"
click_icon 1
wait_for 10 main_window_viewable || fail "the window did not show"
wait_for 5 main_window_focused || fail "the window did not get the keyboard"
click_control 200 270  # the message: keys typed at once may come before the toolkit has the focus
xdotool type --delay 20 "Water the plants"
xdotool key shift+Tab
xdotool type --delay 20 "2:25 PM"
xdotool key shift+Tab space
answer "Confirm Alarm Schedule" Return
wait_for 10 main_window_withdrawn || fail "Set Alarm did not withdraw the window to the tray"
[ "$(record_field "$APP/reminders.dat" 1)" = "02:25 PM|-1" ] || fail "record 1 is not armed: $(record_field "$APP/reminders.dat" 1)"
python3 - "$APP/reminders.dat" <<'PY' || fail "record bytes differ"
import struct, sys
r = open(sys.argv[1], 'rb').read()[:2068]
assert struct.unpack('<d', r[8:16])[0] == 46362.0, r[8:16]
assert r[16:18] == b'\0\0'
assert r[18:2066] == b'Water the plants'.ljust(2048)
assert r[2066:] == b'\xff\xff'
PY

step "the log-on entry is written at once and is valid"
wait_for 10 test -f "$ENTRY" || fail "no log-on entry"
desktop-file-validate "$ENTRY" || fail "the entry is not a valid desktop entry"

step "Restore from the tray menu; with an alarm armed, File > Exit and the close box only withdraw the window"
tray_menu r
shown_for 1
use_keyboard
menu_exit
wait_for 10 main_window_withdrawn || fail "File > Exit did not withdraw the window"
if [ "$WM" != none ]; then
    tray_menu r
    shown_for 1
    xdotool windowactivate "$(main_window)" key alt+F4
    wait_for 10 main_window_withdrawn || fail "the close box did not withdraw the window"
fi
window_id "Exit Program?" >/dev/null && fail "a warning came for a visible window"
kill -0 "$APP_PID" || fail "the program ended"

step "Exit from the tray menu with the window hidden: the warning, OK, and the entry stays"
tray_menu e
answer_ok "Exit Program?"
wait_for 15 sh -c "! kill -0 $APP_PID" || fail "the program did not end after OK"
[ -f "$ENTRY" ] || fail "the entry went away"
[ "$(record_field "$APP/reminders.dat" 1)" = "02:25 PM|-1" ] || fail "exit changed the record"

step "the entry's Exec starts exactly this program again, which re-arms the alarm and rings"
exec_line=$(sed -n 's/^Exec=//p' "$ENTRY")
mapfile -t argv < <(python3 - "$exec_line" <<'PY'
import sys
v = sys.argv[1]
s, i = '', 0
esc = {'s': ' ', 'n': '\n', 't': '\t', 'r': '\r', '\\': '\\'}
while i < len(v):
    if v[i] == '\\' and i + 1 < len(v):
        s += esc.get(v[i + 1], v[i + 1]); i += 2
    else:
        s += v[i]; i += 1
args, cur, quoted, i = [], '', False, 0
while i < len(s):
    c = s[i]
    if quoted and c == '\\':
        cur += s[i + 1]; i += 2; continue
    if c == '"':
        quoted = not quoted
    elif c == ' ' and not quoted:
        args.append(cur); cur = ''
    else:
        cur += c
    i += 1
args.append(cur)
for a in args:
    print(a.replace('%%', '%'))
PY
)
[ "${#argv[@]}" = 1 ] && [ "${argv[0]}" = "$APP/chimewright" ] || fail "Exec is '${argv[*]}'"
LD_PRELOAD=$FAKETIME_LIB FAKETIME="@2026-12-06 14:24:56" FAKETIME_DONT_FAKE_MONOTONIC=1 "${argv[@]}" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
PIDS+=($APP_PID)
wait_for 20 icon_shown || fail "the program did not start from the entry"
wait_for 30 window_id "Chimewright Personal Alarm" || fail "the re-armed alarm did not ring"

step "SIGTERM while the ring box is open ends the program at once; the data and the entry are in step"
kill -TERM "$APP_PID"
wait_for 10 sh -c "! kill -0 $APP_PID" || fail "SIGTERM did not end the program"
[ "$(record_field "$APP/reminders.dat" 1)" = "        |0" ] || fail "the rung record is not spent"
[ -f "$ENTRY" ] && fail "the entry stayed with nothing armed"
icon_shown && fail "the icon stayed"

step "clear an armed reminder: the entry goes at once, and the program ends from the tray"
make_records "$APP/reminders.dat" "1|2026-12-09|09:00 AM|0|later|1"
start_app "2026-12-06 10:05:00"
wait_for 20 icon_shown || fail "no icon"
wait_for 10 test -f "$ENTRY" || fail "no entry for the armed reminder"
click_icon 1
wait_for 10 main_window_viewable || fail "the window did not show"
sleep 0.5
click_control 145 164  # Clear Alarm
answer "Clear Alarm?" Return
wait_for 10 sh -c "! test -f '$ENTRY'" || fail "the entry stayed after clearing"
python3 -c "import sys; d=open(sys.argv[1],'rb').read(); sys.exit(0 if d[:2068]==bytes(2068) else 1)" "$APP/reminders.dat" \
    || fail "the cleared record is not all zero bytes"
xdotool key Escape
tray_menu e
wait_for 15 sh -c "! kill -0 $APP_PID" || fail "the program did not end"
[ -f "$ENTRY" ] && fail "the entry came back"
echo "PASS"
