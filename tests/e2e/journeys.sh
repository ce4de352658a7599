# The journeys on the real executable, one scenario each: journeys.sh EXECUTABLE NAME.
source "$(dirname "$0")/lib.sh"
RING="Chimewright Personal Alarm" SUMMARY="Chimewright Alarm Settings"
ring_box() { ok_box "$RING" "Message:\n$1"; }
summary_lists() { at window "$SUMMARY" | grep -qx "$1"; }
# reach_tray SECONDS: answers every box until the icon is there and no box came for 2 seconds.
reach_tray() {
    local deadline=$((SECONDS + $1)) quiet_since=$SECONDS id
    until icon_shown && ((SECONDS - quiet_since >= 2)); do
        ((SECONDS < deadline)) || fail "did not reach the tray"
        if id=$(window_id Chimewright); then echo "   box: $(at box | tr '\n' ' ')"; press_in "$id" Return; quiet_since=$SECONDS; fi
        sleep 0.2
    done
}

# Start-up review, the summary, the status, and a ring heard and read whole, all as a screen reader hears them.
a11y() {
    start_desktop openbox; start_tray; start_sound
    make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|Buy milk|1" "2|2026-12-06|09:00 AM|0|Pills|1" \
        "3|2026-12-09|09:05 AM|3||1"
    start_app "2026-12-06 14:20:00"
    expect_box 10 "$(ok_box Chimewright 'You had an alarm scheduled for: 6 Dec 2026 Alarm Time: 09:00 AM
The alarm did not run because either:\nthe computer was turned off during the designated alarm time,
or the Chimewright program is not in your startup folder.\n\nMessage/Notes: \nPills')"
    at press OK
    expect_box 10 "$(ok_box Chimewright 'You have scheduled an alarm for: 9 Dec 2026\nAlarm Time: 09:05 AM\n\nMessage/Notes: \nNone.')"
    at press OK
    wait_for 20 icon_shown || fail "no icon"
    [ "$(record "$APP/reminders.dat" 2)" = "        |2026-12-06|0||0" ] || fail "the missed alarm was not spent: $(record "$APP/reminders.dat" 2)"
    tray_menu 2
    expect_at 10 "$(printf '%s\n' dialog "$SUMMARY" "Reminder# 1 is set." "Alarm Date: 6 Dec 2026" \
        "Alarm Time: 02:25 PM" "Message(first few words): Buy milk" "" "" "Reminder# 2 is not set." "" "" \
        "Reminder# 3 is set." "Alarm Date: 9 Dec 2026" "Alarm Time: 09:05 AM" \
        "Also ring alarm: Everyday until the scheduled date." "Message: None." "" "")" window "$SUMMARY"
    at press Ok || fail "no Ok button in the summary"
    click_icon 1
    shown_for 1
    expect_at 10 "$(printf '%s\n' frame Chimewright '')" window Chimewright
    expect_at 10 "Alarm is set.|" status
    step "14:25: the window is brought back under the ring box, the melody heard, silent after OK"
    xdotool windowminimize "$(main_window)"
    set_clock "2026-12-06 14:24:58"
    expect_box 15 "$(ring_box 'Buy milk')"
    main_window_viewable || fail "the main window was not brought back"
    xprop -root _NET_CLIENT_LIST_STACKING | grep -q "$(printf '0x%x' "$(main_window)").*$(printf '0x%x' "$(window_id "$RING")")" \
        || fail "the ring box is not above the window"
    heard 4 || fail "the alarm was silent"
    [ "$(record "$APP/reminders.dat" 1)" = "        |2026-12-06|0||0" ] || fail "the rung record is not spent"
    answer "$RING" Return
    quiet 3 || fail "the sound went on after OK"
    expect_at 10 "Alarm not set.|" status
}

# To the tray and back by the icon and the window manager, one copy only, an alarm set and cleared by
# keyboard alone, the log-on entry in step, the tray menu, and a start from the entry's Exec line.
setalarm() {
    start_desktop openbox; start_tray
    mv "$APP" "$WORK/my \$apps"  # a folder name the entry must quote
    APP="$WORK/my \$apps"
    start_app "2026-12-06 10:00:00"
    wait_for 20 icon_shown || fail "no icon"
    wait_for 10 main_window_withdrawn || fail "the window should start hidden"
    step "the icon shows the window; by keyboard alone: message, time, Set Alarm, OK"
    click_icon 1
    shown_for 1
    click_control 200 270  # the message (under openbox the first focus now and then lands on the date)
    expect_at 10 "text|Message that will appear when alarm runs:" focus
    xdotool type --delay 20 "Water the plants"
    xdotool key shift+Tab
    expect_at 5 "text|Alarm time" focus
    xdotool type --delay 20 "2:25pm"
    xdotool key shift+Tab
    expect_at 5 "push button|Set Alarm" focus
    xdotool key space
    expect_box 10 "Confirm Alarm Schedule" "text:$(printf 'Run alarm on Sunday, December 06, 2026 02:25 PM?\n
Additional Setting: None.\nMessage/Notes: Water the plants')" "button:OK" "button:Cancel"
    xdotool key Return
    wait_for 10 main_window_withdrawn || fail "Set Alarm did not withdraw the window to the tray"
    [ "$(record "$APP/reminders.dat" 1)" = "02:25 PM|2026-12-06|0|Water the plants|-1" ] || fail "record 1 is wrong"
    wait_for 10 test -f "$ENTRY" || fail "no log-on entry"
    desktop-file-validate "$ENTRY" || fail "the entry is not a valid desktop entry"
    step "a second copy ends at once and leaves reminders.dat and the entry alone"
    local before; before=$(stat -c '%Y %s %i' "$APP/reminders.dat" "$ENTRY")
    timeout 10 "$APP/chimewright" || fail "the second copy did not end cleanly"
    [ "$before" = "$(stat -c '%Y %s %i' "$APP/reminders.dat" "$ENTRY")" ] || fail "the second copy touched reminders.dat"
    alive "after a second copy"
    step "an alarm armed: Restore, then File > Exit, the close box and minimise withdraw the window"
    tray_menu 1
    shown_for 1
    menu_exit
    wait_for 10 main_window_withdrawn || fail "File > Exit did not withdraw the window"
    tray_menu 1
    shown_for 1
    xdotool key alt+F4
    wait_for 10 main_window_withdrawn || fail "the close box did not withdraw the window"
    click_icon 1
    shown_for 1
    xdotool windowminimize "$(main_window)"
    wait_for 10 main_window_withdrawn || fail "the window manager's minimise did not go to the tray"
    step "Details shows the summary; a left click on the icon closes it and restores the window"
    tray_menu 2
    wait_for 10 summary_lists "Reminder# 1 is set." || fail "no summary"
    click_icon 1
    wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$SUMMARY\$'" || fail "the summary stayed open"
    shown_for 1
    step "Exit from the tray menu withdraws the shown window; once more it warns; OK ends the program"
    tray_menu 3
    wait_for 10 main_window_withdrawn || fail "Exit did not withdraw the window"
    tray_menu 3
    answer "Exit Program?" shift+Tab space
    wait_for 15 ended || fail "the program did not end after OK"
    [ -f "$ENTRY" ] || fail "the entry went away"
    step "the entry's Exec starts this program again; SIGTERM while it rings"
    mapfile -t RUN < <(python3 -c 'import re, shlex, sys
v = re.sub(r"\\([sntr\\])", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r"}.get(m[1], m[1]), sys.argv[1])
v = v.replace("\\$", "$").replace("\\`", "`")  # shlex keeps these two escapes inside quotes
print("\n".join(a.replace("%%", "%") for a in shlex.split(v)))' "$(sed -n 's/^Exec=//p' "$ENTRY")")
    [ "${#RUN[@]}" = 1 ] && [ "${RUN[0]}" = "$APP/chimewright" ] || fail "Exec is '${RUN[*]}'"
    start_app "2026-12-06 14:24:58"
    wait_for 20 window_id "$RING" || fail "the re-armed alarm did not ring"
    kill -TERM "$APP_PID"
    wait_for 10 ended || fail "SIGTERM did not end the program"
    [ "$(record "$APP/reminders.dat" 1)" = "        |2026-12-06|0||0" ] || fail "the rung record is not spent"
    [ -f "$ENTRY" ] && fail "the entry stayed with nothing armed"
    icon_shown && fail "the icon stayed"
    step "Clear Alarm by keyboard: the entry goes at once; File > Exit ends the program"
    make_records "$APP/reminders.dat" "1|2026-12-09|09:00 AM|0|later|1"
    start_app "2026-12-06 10:05:00"
    wait_for 20 test -f "$ENTRY" || fail "no entry for the armed reminder"
    click_icon 1
    shown_for 1
    expect_at 10 "Alarm is set.|" status
    local i
    for i in $(seq 12); do at_is "push button|Clear Alarm" focus && break; xdotool key Tab; done
    xdotool key space
    expect_box 10 "Clear Alarm?" "text:Alarm for Reminder#1 will be reset. Are you sure?" "button:OK" "button:Cancel"
    xdotool key Return
    wait_for 10 sh -c "! test -f '$ENTRY'" || fail "the entry stayed after clearing"
    cmp -n 2068 "$APP/reminders.dat" /dev/zero || fail "the cleared record is not all zero bytes"
    expect_at 10 "Alarm not set.|" status
    menu_exit
    wait_for 15 ended || fail "File > Exit did not end the program"
    step "a copy killed hard leaves no lock that blocks the next start"
    start_app
    wait_for 20 icon_shown || fail "no icon"
    kill -9 "$APP_PID"
    start_app
    wait_for 20 icon_shown || fail "a stale lock blocked the start"
}

# No notification area: the window stays in the task bar and File > Exit warns; one that comes up later gets the icon.
notray() {
    start_desktop openbox
    make_records "$APP/reminders.dat" "1|2026-12-06|11:00 PM|0|Late call|1"
    start_app "2026-12-06 10:00:00"
    wait_for 20 main_window_minimised || fail "the window was not left in the task bar"
    local answer
    for answer in Escape "shift+Tab space"; do
        xdotool windowactivate "$(main_window)"
        shown_for 0
        menu_exit
        answer "Exit Program?" $answer
        [ "$answer" != Escape ] || wait_for 10 main_window_minimised || fail "after Cancel the window left the task bar"
    done
    wait_for 15 ended || fail "the program did not end after OK"
    [ -f "$ENTRY" ] || fail "no log-on entry for the armed reminder"
    step "a notification area that comes up later gets the icon; its first Exit warns"
    start_app "2026-12-06 10:00:00"
    wait_for 20 main_window_minimised || fail "the window was not left in the task bar"
    start_tray
    # The program shows its icon afresh when a notification area comes up: the same window for 2 seconds.
    settled() { local id; id=$(icon_id) && sleep 2 && [ "$(icon_id)" = "$id" ]; }
    wait_for 20 settled || fail "the icon did not settle in the notification area"
    tray_menu 3
    answer "Exit Program?" Escape
    wait_for 10 main_window_withdrawn || fail "after Cancel the window did not go to the tray"
    click_icon 1
    shown_for 1
}

# The armed alarm moved to tomorrow while the clock passes its old time during the confirmation: the
# saved time rings once, the typed one never, and the file then holds tomorrow's time, armed.
moveday() {
    start_desktop openbox; start_tray; start_sound
    make_records "$APP/reminders.dat" "1|2026-12-06|05:00 PM|0|Call the garage|1"
    start_app "2026-12-06 14:00:00"
    click_icon 1
    shown_for 1
    watch_rings
    click_control 48 68  # the alarm time
    xdotool key ctrl+a type --delay 20 "9am"
    click_control 131 68  # the day of the date picker
    xdotool key Up
    click_control 48 164  # Set Alarm
    wait_for 20 window_id "Confirm Alarm Schedule" || fail "no confirmation"
    sleep 5.5  # a tick of the alarm's timer
    rings 0 || fail "the unconfirmed time rang"
    set_clock "2026-12-06 16:59:59"
    wait_for 15 rings 1 || fail "the saved alarm did not ring at its time"
    wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$RING\$'" || fail "the ring box stayed open"
    answer "Confirm Alarm Schedule" Return
    wait_for 10 main_window_withdrawn || fail "Set Alarm did not withdraw the window"
    sleep 5.5
    rings 1 || fail "the alarm rang $(wc -l <"$WORK/rings") times"
    [ "$(record "$APP/reminders.dat" 1)" = "09:00 AM|2026-12-07|0|Call the garage|-1" ] || fail "record 1 is wrong"
}

# The clock moves under a running program on a bare X server: forward past an alarm (it rings late,
# once), back across it (no second ring), stopped across the alarm minute, both daylight-saving days.
clock() {
    start_desktop; start_tray; start_sound
    watch_rings
    make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|late|1"
    start_app "2026-12-06 10:00:00"
    wait_for 20 icon_shown || fail "no icon"
    set_clock "2026-12-06 15:10:00"
    wait_for 15 rings 1 || fail "no ring after the clock moved forward"
    set_clock "2026-12-06 14:24:59"
    sleep 6.5
    rings 1 || fail "rang again after the clock went back"
    [ "$(record "$APP/reminders.dat" 1)" = "        |2026-12-06|0||0" ] || fail "the rung record is not spent"
    stop_app
    step "stopped across the alarm minute: rings on resume"
    make_records "$APP/reminders.dat" "2|2026-12-06|02:25 PM|0|after sleep|1"
    start_app "2026-12-06 14:24:30"
    wait_for 20 icon_shown || fail "no icon"
    kill -STOP "$APP_PID"
    set_clock "2026-12-06 14:26:30"
    sleep 6
    kill -CONT "$APP_PID"
    wait_for 10 rings 2 || fail "no ring after resume"
    stop_app
    export TZ=America/New_York
    step "spring forward: 02:30 does not exist and rings at 03:00; fall back: 01:30 comes twice and rings once"
    local day
    for day in "2026-03-08 02:30 AM|2026-03-08 01:59:58" "2026-11-01 01:30 AM|2026-11-01 01:29:58 EDT"; do
        make_records "$APP/reminders.dat" "1|${day:0:10}|${day:11:8}|0|daylight|1"
        start_app "${day#*|}"
        wait_for 15 rings $((${#day} < 40 ? 3 : 4)) || fail "$day did not ring"
        [ "${day:0:5}" = 2026-11 ] || stop_app
    done
    set_clock "2026-11-01 01:29:58 EST"
    sleep 7
    rings 4 || fail "rang $(wc -l <"$WORK/rings") times in all"
}

case ${2:-} in
*) "$2" ;;
esac
echo PASS
