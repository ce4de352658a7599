# The journeys on the real executable, one scenario each: journeys.sh EXECUTABLE NAME.
source "$(dirname "$0")/lib.sh"
SPENT="        |2026-12-06|0||0" DAT=$APP/reminders.dat
# keep_dat, then dat_kept: reminders.dat still holds the bytes it held when kept.
keep_dat() { KEPT=$(sha256sum <"$DAT"); }
dat_kept() { [ "$(sha256sum <"$DAT")" = "$KEPT" ] || fail "reminders.dat changed"; }
# tray_app [MOMENT [THEN]]: the program started at MOMENT and in the tray, then the clock moved to
# THEN.
# An alarm due soon is approached so: a start still busy when its time passes reports it missed.
tray_app() {
    start_app "${1:-}"
    wait_for 20 icon_shown || fail "no icon"
    [ -z "${2:-}" ] || set_clock "$2"
}
summary_lists() { at window "Chimewright Alarm Settings" | grep -qx "$1"; }
# reach_tray SECONDS [BOX...]: answers the boxes until the icon is there and no box came for 2
# seconds; each must read as the next BOX (as ok_box gives it), and no other box may come.
reach_tray() {
    local deadline=$((SECONDS + $1)) calm=$SECONDS id
    shift
    until icon_shown && ((SECONDS - calm >= 2)); do
        ((SECONDS < deadline)) || fail "did not reach the tray"
        if id=$(any_box); then
            (($#)) || { wait_for 5 eval '[ -n "$(at box)" ]' || true
                fail "an unwanted box: $(at box | tr '\n' ' ')"; }
            expect_at 10 "$1" box
            shift
            press_in "$id" Return
            wait_for 10 gone "$id" || fail "the box stayed open"
            calm=$SECONDS
        fi
        sleep 0.2
    done
    (($# == 0)) || fail "no box read [$1]"
}
# any_box: a box of the program, whatever its title; no_box SECONDS: none comes for that long.
any_box() {
    local t
    for t in Chimewright "$RING" "Exit Program?" "Confirm Alarm Schedule" "Clear Alarm?"; do
        window_id "$t" && return 0
    done
    return 1
}
no_box() { ! wait_for "$1" any_box || fail "a box came: $(at box)"; }
# What a screen reader hears: the start-up review, the summary, the window, the status; then the
# window brought back under the ring box, the melody heard, silent after OK; a ring over a start-up
# box, and the display gone under both.
a11y() {
    start_desktop openbox; start_tray; start_sound
    make_records "$DAT" "1|2026-12-06|02:25 PM|0|Buy milk|1" "2|2026-12-04|09:00 AM|0|Pills|1" \
        "3|2026-12-09|09:05 AM|3||1"
    start_app "2026-12-06 14:20:00"
    expect_box 10 "$(ok_box Chimewright 'You had an alarm scheduled for: 4 Dec 2026 Alarm Time: '\
'09:00 AM\nThe alarm did not run because either:
the computer was turned off during the designated alarm time,
or the Chimewright program is not in your startup folder.\n\nMessage/Notes: \nPills')"
    title_fits "$(window_id Chimewright)" Chimewright
    at press OK
    expect_box 10 "$(ok_box Chimewright 'You have scheduled an alarm for: 9 Dec 2026
Alarm Time: 09:05 AM\n\nMessage/Notes: \nNone.')"
    at press OK
    wait_for 20 icon_shown || fail "no icon"
    [ "$(record "$DAT" 2)" = "${SPENT/06/04}" ] || fail "the missed alarm of a day gone by stayed"
    tray_menu 2
    expect_at 10 "$(printf '%s\n' dialog "Chimewright Alarm Settings" "Reminder# 1 is set." \
        "Alarm Date: 6 Dec 2026" "Alarm Time: 02:25 PM" "Message(first few words): Buy milk" "" "" \
        "Reminder# 2 is not set." "" "" \
        "Reminder# 3 is set." "Alarm Date: 9 Dec 2026" "Alarm Time: 09:05 AM" \
        "Also ring alarm: Everyday until the scheduled date." "Message: None." "" "")" \
        window "Chimewright Alarm Settings"
    title_fits "$(window_id "Chimewright Alarm Settings")" "Chimewright Alarm Settings"
    at press Ok || fail "no Ok button in the summary"
    restore
    expect_at 10 "$(printf '%s\n' frame Chimewright '')" window Chimewright
    expect_at 10 "Alarm is set.|" status
    xdotool windowminimize "$(main_window)"
    wait_for 10 main_window_is withdrawn || fail "the window manager's minimise kept the window"
    set_clock "2026-12-06 14:24:58"
    expect_box 15 "$(ok_box "$RING" 'Message:\nBuy milk')"
    main_window_is shown || fail "the main window was not brought back"
    local order; order=$(xprop -root _NET_CLIENT_LIST_STACKING)  # bottom first
    [[ $order == *"$(printf 0x%x "$(main_window)")"*"$(printf 0x%x "$(window_id "$RING")")"* ]] \
        || fail "the ring box is not above the window"
    heard 4 || fail "the alarm was silent"
    [ "$(record "$DAT" 1)" = "$SPENT" ] || fail "the rung record is not spent"
    answer "$RING" Return
    quiet 3 || fail "the sound went on after OK"
    expect_at 10 "Alarm not set.|" status
    # A start-up box left open past the next alarm's minute: that alarm rings over it, heard. The
    # session then ends under both boxes (the display goes away): the rung alarm is saved spent, the
    # missed one, never answered, stays to be told at the next start.
    stop_app
    make_records "$DAT" "1|2026-12-06|08:00 AM|0|Bread|1" "2|2026-12-06|09:00 AM|0|Tea|1"
    start_app "2026-12-06 08:59:30"
    wait_for 20 window_id Chimewright || fail "no missed-alarm box"
    set_clock "2026-12-06 08:59:58"
    wait_for 15 window_id "$RING" || fail "the alarm did not ring over the start-up's box"
    heard 4 || fail "the alarm over the start-up's box was silent"
    kill "${PIDS[0]}"  # the X server
    wait_for 15 ended || fail "the program outlived its display"
    [ "$(record "$DAT" 2)" = "$SPENT" ] || fail "the rung alarm is not spent: $(record "$DAT" 2)"
    [ "$(record "$DAT" 1)" = "08:00 AM|2026-12-06|0|Bread|-1" ] || fail "missed: $(record "$DAT" 1)"
}
# Installed as tools/run installs it, into a folder whose name the entries must quote; one copy
# only, a second start bringing the window forward; alarms set, cleared, heard and the program ended
# by keyboard alone; the window to the tray and back by the icon, a second start, the tray menu,
# File > Exit and the close box; the log-on entry in step and its Exec line; removed by
# tools/uninstall, which keeps the data files unless asked.
setalarm() {
    start_desktop openbox; start_tray; start_sound  # builds the player's plugin registry too
    APP="$WORK/my \$apps" DAT="$WORK/my \$apps/reminders.dat"
    local build menu icon uninstall=$E2E/../../tools/uninstall
    build=$(dirname "$(dirname "$EXE")") menu=$HOME/.local/share/applications/chimewright.desktop
    icon=$HOME/.local/share/icons/hicolor/32x32/apps/chimewright.png
    cmake --install "$build" --prefix "$APP" >/dev/null || fail "no install"
    cmake --install "$build" --prefix "$APP" --component desktop >/dev/null || fail "no menu entry"
    desktop-file-validate "$menu" && cmp "$icon" "$APP/chimewright.png" || fail "a bad menu entry"
    tray_app "2026-12-06 10:00:00"
    main_window_is withdrawn || fail "the window should start hidden"
    restore  # the keyboard in the message, where the window's first show puts it
    expect_at 10 "text|Message that will appear when alarm runs:" focus
    xdotool type --delay 20 "Water the plants"
    xdotool key shift+Tab
    expect_at 5 "text|Alarm time" focus
    xdotool type --delay 20 "2:25pm"
    xdotool key shift+Tab
    expect_at 5 "push button|Set Alarm" focus
    xdotool key space
    expect_box 10 "Confirm Alarm Schedule" \
        "text:$(printf 'Run alarm on Sunday, December 06, 2026 02:25 PM?\n
Additional Setting: None.\nMessage/Notes: Water the plants')" "button:OK" "button:Cancel"
    xdotool key Return
    wait_for 10 main_window_is withdrawn || fail "Set Alarm did not withdraw the window to the tray"
    [ "$(record "$DAT" 1)" = "02:25 PM|2026-12-06|0|Water the plants|-1" ] ||
        fail "record 1: $(record "$DAT" 1)"
    desktop-file-validate "$ENTRY" || fail "no valid log-on entry"
    local before t; before=$(stat -c '%Y %s %i' "$DAT" "$ENTRY") t=$(date +%s%N)
    timeout 10 "$APP/chimewright" || fail "a second copy did not end cleanly"
    echo "   a second copy ended in $((($(date +%s%N) - t) / 1000000)) ms"
    [ "$before" = "$(stat -c '%Y %s %i' "$DAT" "$ENTRY")" ] ||
        fail "a second copy touched the files"
    shown_for 1  # brought forward by the running copy
    expect_at 5 "text|Message that will appear when alarm runs:" focus
    menu_exit  # with an alarm armed File > Exit and the close box withdraw the window
    wait_for 10 main_window_is withdrawn || fail "File > Exit did not withdraw the window"
    tray_menu 1  # Restore
    shown_for 1
    xdotool key alt+F4
    wait_for 10 main_window_is withdrawn || fail "the close box did not withdraw the window"
    restore
    tray_menu 3  # Exit with the window shown withdraws it; once more it warns
    wait_for 10 main_window_is withdrawn || fail "Exit did not withdraw the window"
    tray_menu 3
    answer "Exit Program?" shift+Tab space
    wait_for 15 ended || fail "the program did not end after OK"
    exec_of() { python3 "$E2E/files.py" exec "$1"; }  # its Exec line's arguments, one a line
    mapfile -t RUN < <(exec_of "$ENTRY")
    [ "${#RUN[@]}" = 1 ] && [ "${RUN[0]}" = "$APP/chimewright" ] || fail "Exec is '${RUN[*]}'"
    [ "$(exec_of "$menu")" = "$APP/chimewright" ] || fail "the menu's Exec is '$(exec_of "$menu")'"
    [ "$(sed -n 's/^Icon=//p' "$ENTRY")" = "$APP/chimewright.png" ] || fail "the entry's Icon"
    cp "$ENTRY" "$WORK/entry"
    # The entry's program re-arms the alarm; SIGTERM while it rings.
    tray_app "2026-12-06 14:24:30" "2026-12-06 14:24:58"
    wait_for 20 window_id "$RING" || fail "the re-armed alarm did not ring"
    kill -TERM "$APP_PID"
    wait_for 10 ended || fail "SIGTERM did not end the program"
    [ "$(record "$DAT" 1)" = "$SPENT" ] && [ ! -f "$ENTRY" ] ||
        fail "the rung record and the entry are not in step"
    make_records "$DAT" "1|2026-12-09|09:00 AM|0|later|1"
    tray_app "2026-12-06 10:05:00"
    restore
    expect_at 10 "Alarm is set.|" status
    for _ in 1 2 3 4 5 6 7 8; do
        at_is "push button|Clear Alarm" focus && break; xdotool key Tab
    done
    xdotool key space
    expect_box 10 "Clear Alarm?" "text:Alarm for Reminder#1 will be reset. Are you sure?" \
        "button:OK" "button:Cancel"
    title_fits "$(window_id "Clear Alarm?")" "Clear Alarm?"
    xdotool key Return
    expect_at 10 "Alarm not set.|" status
    cmp -n 2068 "$DAT" /dev/zero && [ ! -f "$ENTRY" ] ||
        fail "the record is not zero bytes, or the entry stayed"
    menu_exit
    wait_for 15 ended || fail "File > Exit did not end the program"
    tray_app
    kill -9 "$APP_PID"
    tray_app "2026-12-06 11:00:00"  # a copy killed hard leaves no lock or socket in the way
    # The second way back, by keyboard alone: a second start, an alarm set, heard, and the exit.
    timeout 10 "$APP/chimewright" || fail "a second copy did not end cleanly"
    shown_for 1
    expect_at 5 "text|Message that will appear when alarm runs:" focus
    xdotool type --delay 20 "Stretch"
    xdotool key shift+Tab ctrl+a type --delay 20 "11:02am"
    xdotool key shift+Tab space
    expect_box 10 "Confirm Alarm Schedule" "text:$(printf 'Run alarm on %s?\n
Additional Setting: None.\nMessage/Notes: Stretch' "Sunday, December 06, 2026 11:02 AM")" \
        "button:OK" "button:Cancel"
    xdotool key Return
    wait_for 10 main_window_is withdrawn || fail "Set Alarm did not withdraw the window"
    set_clock "2026-12-06 11:01:58"
    expect_box 15 "$(ok_box "$RING" 'Message:\nStretch')"
    heard 4 || fail "the alarm was silent"
    wait_for 5 focused "$(window_id "$RING")" || fail "the ring box has no keyboard"
    xdotool key Return
    wait_for 10 eval '! window_id "$RING"' || fail "the ring box stayed open"
    wait_for 5 focused "$(main_window)" || fail "the keyboard did not go back to the window"
    menu_exit
    wait_for 15 ended || fail "File > Exit did not end the program"
    [ ! -f "$ENTRY" ] || fail "the log-on entry stayed with nothing armed"
    tray_app
    printf '/a.wav\r\n' >"$APP/audioalarm.dat"
    export CHIMEWRIGHT_PREFIX=$APP
    ! "$uninstall" 2>/dev/null && [ -f "$APP/chimewright" ] || fail "removed while it runs"
    stop_app
    cp "$WORK/entry" "$ENTRY"  # as a copy that ended with a reminder set leaves it
    "$uninstall" >/dev/null || fail "tools/uninstall failed"
    local left; left=$(ls -A "$APP"; ls "$menu" "$icon" "$ENTRY" 2>/dev/null || true)
    [ "$left" = "$(printf 'audioalarm.dat\nreminders.dat')" ] || fail "tools/uninstall left: $left"
    "$uninstall" --data >/dev/null && [ ! -e "$APP" ] || fail "--data left the folder"
}
# No notification area: the window stays in the task bar; closing it when shown minimises it there,
# the task bar's Close warns and ends; a notification area that comes up later gets the icon and the
# window, which waits in the task bar again while the area is stopped; the first Exit warns.
notray() {
    start_desktop openbox
    make_records "$DAT" "1|2026-12-06|11:00 PM|0|Late call|1"
    start_app "2026-12-06 10:00:00"
    wait_for 20 main_window_is minimised || fail "the window is not in the task bar"
    xdotool windowactivate "$(main_window)"
    shown_for 0
    xdotool key alt+F4  # the close box
    wait_for 10 main_window_is minimised || fail "the close box did not minimise the window"
    no_box 2
    local keys
    for keys in Escape "shift+Tab space"; do  # the task bar's Close: Cancel, then OK
        wmctrl -i -c "$(main_window)"
        answer "Exit Program?" $keys
        # After OK the window goes before the process has ended; after Cancel it stays.
        [ "$keys" != Escape ] || main_window_is minimised || fail "the window left the task bar"
    done
    wait_for 15 ended || fail "the program did not end after OK"
    [ -f "$ENTRY" ] || fail "no log-on entry for the armed reminder"
    start_app "2026-12-06 10:00:00"
    wait_for 20 main_window_is minimised || fail "the window is not in the task bar"
    # A notification area that comes up gets the icon afresh (the same window for 2 s) and the
    # window; while it is gone the window waits in the task bar.
    settled() { local id; id=$(icon_id) && sleep 2 && [ "$(icon_id)" = "$id" ]; }
    in_task_bar() { xprop -root _NET_CLIENT_LIST | grep -q "$(printf 0x%x "$(main_window)")"; }
    withdrawn() { main_window_is withdrawn && ! in_task_bar; }
    iconic() { main_window_is minimised && in_task_bar; }
    local round
    for round in "comes up" "comes back"; do
        start_tray
        wait_for 20 settled || fail "the icon did not settle when the area $round"
        wait_for 10 withdrawn || fail "the window did not go to the icon when the area $round"
        [ "$round" = "comes up" ] || break
        kill "${PIDS[-1]}"  # the tray host
        wait_for 10 iconic || fail "the window is not in the task bar: $(wm_state)"
    done
    tray_menu 3
    answer "Exit Program?" Escape
    wait_for 10 main_window_is withdrawn || fail "after Cancel the window did not go to the tray"
    restore
}
# The armed alarm moved to tomorrow while the clock passes its old time during the confirmation:
# the saved time rings once, the typed one never, then the file holds tomorrow's time, armed; the
# window manager's minimise during the save question; "Exit Program?" left open across midnight.
moveday() {
    start_desktop openbox; start_tray; start_sound
    local pulse=${PIDS[-1]}
    make_records "$DAT" "1|2026-12-06|05:00 PM|0|Call the garage|1"
    tray_app "2026-12-06 14:00:00"
    restore
    watch_rings
    click "$(main_window)" 48 -254  # the alarm time
    xdotool key ctrl+a type --delay 20 "9am"
    click "$(main_window)" 123 -254  # the day of the date picker
    xdotool key Up
    click "$(main_window)" 48 -158  # Set Alarm
    wait_for 20 window_id "Confirm Alarm Schedule" || fail "no confirmation"
    sleep 5.5  # a tick of the alarm's timer
    rings 0 || fail "the unconfirmed time rang"
    set_clock "2026-12-06 16:59:59"
    wait_for 15 rings 1 || fail "the saved alarm did not ring at its time"
    wait_for 10 eval '! window_id "$RING"' || fail "the ring box stayed open"
    answer "Confirm Alarm Schedule" Return
    wait_for 10 main_window_is withdrawn || fail "Set Alarm did not withdraw the window"
    sleep 5.5
    rings 1 || fail "the alarm rang again"
    [ "$(record "$DAT" 1)" = "09:00 AM|2026-12-07|0|Call the garage|-1" ] ||
        fail "record 1: $(record "$DAT" 1)"
    # The window manager's minimise while the save question holds the file waits for the answer:
    # no failure box, the edit saved, the window in the tray and back whole.
    restore
    click "$(main_window)" 48 -254
    xdotool key ctrl+a type --delay 20 "10am"
    xdotool key alt+f
    wait_for 5 menu_id || fail "no File menu"
    xdotool key 2
    wait_for 20 window_id Chimewright || fail "no save question"
    xdotool windowminimize "$(main_window)"
    wait_for 10 main_window_is minimised || fail "the window manager did not minimise the window"
    boxes() {
        xdotool search --onlyvisible --name '^Chimewright$' |
            xargs -rI{} xprop -id {} _NET_WM_WINDOW_TYPE | grep -c DIALOG
    }
    ! wait_for 2 eval '(($(boxes) > 1))' || fail "a second box over the save question: $(at box)"
    answer Chimewright Return
    no_box 3
    wait_for 10 main_window_is withdrawn || fail "the window did not go to the tray: $(wm_state)"
    [ "$(record "$DAT" 1)" = "10:00 AM|2026-12-07|0|Call the garage|-1" ] ||
        fail "record 1: $(record "$DAT" 1)"
    restore
    # "Exit Program?" left open across midnight: the alarm rings over it in its minute, heard, and
    # is saved spent once the warning is answered. The sound server restarted since the first ring
    # (an update, a suspend): the alarm is heard all the same.
    kill "$WATCHER" "$pulse"
    wait "$pulse" 2>/dev/null || true
    start_sound
    tray_menu 3  # the shown window withdraws; then the warning
    wait_for 10 main_window_is withdrawn || fail "Exit did not withdraw the window"
    tray_menu 3
    wait_for 10 window_id "Exit Program?" || fail "no warning"
    set_clock "2026-12-07 09:59:58"
    wait_for 15 window_id "$RING" || fail "the alarm did not ring over the warning"
    heard 4 || fail "the alarm over the warning was silent"
    answer "$RING" Return
    answer "Exit Program?" Escape
    wait_for 10 eval '[ "$(record "$DAT" 1)" = "        |2026-12-07|0||0" ]' ||
        fail "record 1: $(record "$DAT" 1)"
}
# The clock moves under a running program on a bare X server: forward past an alarm (it rings
# late, once), back across it (no second ring), stopped across the alarm minute, both
# daylight-saving days.
clock() {
    start_desktop; start_tray; start_sound
    watch_rings
    make_records "$DAT" "1|2026-12-06|02:25 PM|0|late|1"
    tray_app "2026-12-06 10:00:00"
    set_clock "2026-12-06 15:10:00"
    wait_for 15 rings 1 || fail "no ring after the clock moved forward"
    set_clock "2026-12-06 14:24:59"
    sleep 6.5
    rings 1 || fail "rang again after the clock went back"
    [ "$(record "$DAT" 1)" = "$SPENT" ] || fail "the rung record is not spent"
    stop_app
    make_records "$DAT" "2|2026-12-06|02:25 PM|0|after sleep|1"
    tray_app "2026-12-06 14:24:30"
    kill -STOP "$APP_PID"
    set_clock "2026-12-06 14:26:30"
    sleep 2  # the timer falls due while the program is stopped, as in a suspend
    kill -CONT "$APP_PID"
    wait_for 10 rings 2 || fail "no ring after resume"
    stop_app
    # 02:30 does not exist and rings at 03:00; 01:30 comes twice, rings once.
    export TZ=America/New_York
    make_records "$DAT" "1|2026-03-08|02:30 AM|0|spring|1"
    tray_app "2026-03-08 01:59:00" "2026-03-08 01:59:58"
    wait_for 15 rings 3 || fail "02:30 did not ring on the day the clock springs forward"
    stop_app
    make_records "$DAT" "1|2026-11-01|01:30 AM|0|fall|1"
    tray_app "2026-11-01 01:29:00 EDT" "2026-11-01 01:29:58 EDT"
    wait_for 15 rings 4 || fail "01:30 did not ring on the day the clock falls back"
    set_clock "2026-11-01 01:29:58 EST"
    sleep 7
    rings 4 || fail "01:30 rang twice"
}
# Hostile files: the program reaches the tray whatever reminders.dat holds, and a ring with an
# unusable sound setting shows why, then the message, the melody heard instead.
hostile() {
    start_desktop; start_tray; start_sound
    python3 "$E2E/files.py" noise "$WORK/random" 6204
    printf x >"$WORK/one"
    python3 "$E2E/files.py" noise "$WORK/big" 10485760
    python3 "$E2E/files.py" garbage "$WORK/garbage"
    local f bad='Reminder #1 is set, but its alarm time "xx:yy ZZ" is not a time. It was left as '
    for f in random one big garbage; do
        cp "$WORK/$f" "$DAT"
        start_app "2026-12-06 12:00:00"
        if [ $f = garbage ]; then
            reach_tray 40 "$(ok_box Chimewright "${bad}it is; set it again.")"
        else
            reach_tray 40
        fi
        stop_app
    done
    mkdir "$WORK/a folder"
    head -c 4096 /dev/urandom >"$WORK/noise.wav"
    for f in '\x00\x01\xff\xfe binary' "/$(head -c 100000 /dev/zero | tr '\0' a)" "$WORK/a folder" \
        "$WORK/missing.mid" "$WORK/noise.wav"; do  # printf formats
        printf -- "$f\r\n" >"$APP/audioalarm.dat"
        make_records "$DAT" "1|2026-12-06|02:25 PM|0|bad sound|1"
        tray_app "2026-12-06 14:24:30" "2026-12-06 14:24:59"
        wait_for 30 window_id Chimewright || fail "${f:0:30}: no reason shown"
        ! window_id "$RING" || fail "${f:0:30}: the message came before the reason"
        answer Chimewright Return
        if [[ $f == */missing.mid || $f == */noise.wav ]]; then  # the melody rings instead, heard
            wait_for 15 window_id "$RING" || fail "${f:0:30}: no message after the reason"
            heard 4 || fail "${f:0:30}: silent after the reason"
        fi
        answer "$RING" Return
        alive "${f:0:30}"
        stop_app
    done
    # Named pipes in the data files' places, without and with a window manager: refused with the
    # file named, never waited on; SIGTERM ends the program at once; the file put back is read.
    local pipe='it is a named pipe, not a file' t
    for _ in bare openbox; do
        rm -f "$DAT" "$APP/audioalarm.dat"
        mkfifo "$DAT" "$APP/audioalarm.dat"
        start_app "2026-12-06 12:00:00"
        expect_box 20 "$(ok_box Chimewright "Could not read audioalarm.dat: $pipe")"
        t=$SECONDS; kill -TERM "$APP_PID"
        wait_for 5 ended || fail "SIGTERM did not end the program in the box"
        echo "   ended $((SECONDS - t)) s after SIGTERM"
        start_app
        reach_tray 30 "$(ok_box Chimewright "Could not read audioalarm.dat: $pipe")" \
            "$(ok_box Chimewright "Could not open reminders.dat: $pipe")"
        rm "$DAT"
        make_records "$DAT" "1|2026-12-09|09:00 AM|0|back|1"
        tray_menu 2
        wait_for 10 summary_lists "Reminder# 1 is set." || fail "the file put back was not read"
        kill -TERM "$APP_PID"
        wait_for 5 ended || fail "SIGTERM did not end the program"
        [ "$WM" = openbox ] || start_wm
    done
}
# Every type of the sound filter decodes to audible sound through the GStreamer plugins the player
# uses: a tone written in each format (our own melody for the MIDI types) is decoded and measured.
soundtypes() {
    cd "$WORK"
    timeout 120 gst-inspect-1.0 >/dev/null 2>&1 || fail "no GStreamer plugin registry"
    sox -n -r 44100 -c 1 -b 16 tone.wav synth 1 sine 440 vol 0.5
    local ext rms
    for ext in au aif aiff aifc snd; do sox tone.wav "tone.$ext"; done
    gst-launch-1.0 -q filesrc location=tone.wav ! wavparse ! audioconvert ! lamemp3enc \
        ! filesink location=tone.mp3
    gst-launch-1.0 -q filesrc location=tone.wav ! wavparse ! audioconvert ! avenc_wmav2 ! asfmux \
        ! filesink location=tone.wma
    cp "$APP/odetojoy.mid" tone.mid
    cp tone.mid tone.midi
    python3 "$E2E/files.py" rmi tone.mid tone.rmi  # RMI: the MIDI data in a RIFF RMID chunk
    for ext in mp3 mid midi rmi wav au wma aif snd aifc aiff; do
        # filesrc ! decodebin: uridecodebin's own source now and then hangs at the end of a short
        # AIFF-C file.
        timeout 60 gst-launch-1.0 -q filesrc location="tone.$ext" ! decodebin ! audioconvert \
            ! audioresample \
            ! audio/x-raw,format=S16LE ! wavenc ! filesink location="$ext.wav" >gst.log 2>&1 || true
        rms=$(sox "$ext.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}' || true)
        echo "   $ext: RMS $rms"
        awk -v r="$rms" 'BEGIN {exit !(r != "" && r > 0.01)}' ||
            fail "$ext is silent or not decoded: $(cat gst.log)"
    done
}
# On a Wayland compositor with a StatusNotifierItem host, as a Wayland desktop drives it: the item
# and its menu, restore, the summary, the exit warning, the ring heard and shown, exit.
wayland() {
    start_bus
    host() { spawn /usr/bin/python3 "$E2E/sni.py" "$WORK/sni" >/dev/null 2>&1; HOST=$!; }
    host
    start_sound
    spawn weston --backend=headless-backend.so --socket=chimewright-wl --idle-time=0 >/dev/null 2>&1
    wait_for 10 test -S "$XDG_RUNTIME_DIR/chimewright-wl" || fail "no Wayland compositor"
    export WAYLAND_DISPLAY=chimewright-wl QT_QPA_PLATFORM=wayland
    make_records "$DAT" "1|2026-12-06|02:25 PM|0|Buy milk|1"
    start_app "2026-12-06 14:20:00"
    wait_for 20 test -s "$WORK/sni" || fail "the item did not register"
    local item props menu layout; item=$(cat "$WORK/sni")
    props=$(gdbus call --session -d "$item" -o /StatusNotifierItem \
        -m org.freedesktop.DBus.Properties.GetAll org.kde.StatusNotifierItem)
    [[ $props == *"'Status': <'Active'>"*"'Title': <'Chimewright'>"* &&
        $props == *"'IconPixmap': <[("* ]] || fail "the item reads ${props:0:300}"
    menu=$(grep -o "'Menu': <objectpath '[^']*'>" <<<"$props" | cut -d"'" -f4)
    layout() {
        gdbus call --session -d "$item" -o "$menu" -m com.canonical.dbusmenu.GetLayout \
            0 '@i -1' '[]'
    }
    layout=$(layout)
    local labels; labels=$(grep -o "'label': <'[^']*'>" <<<"$layout" | cut -d"'" -f4 | tr '\n' ' ')
    [ "$labels" = "_Restore _Details _Exit " ] \
        && [[ $layout != *"'visible': <false>"* ]] || fail "the menu reads ${layout:0:300}"
    # click_item LABEL: as a host, with the menu as it is now; it does not wait for the answer
    # (that may come late).
    click_item() {
        local id; id=$(layout | grep -o "<([0-9]*, {[^}]*'label': <'$1'" | cut -c3- | cut -d, -f1)
        dbus-send --session --type=method_call --dest="$item" "$menu" \
            com.canonical.dbusmenu.Event int32:"$id" string:clicked variant:int32:0 uint32:0
    }
    grep -q libQt6WaylandClient "/proc/$APP_PID/maps" || fail "not running on Wayland"
    shown() { [ "$(at window Chimewright | head -n1)" = frame ]; }
    ! shown || fail "the window should start hidden"
    dbus-send --session --type=method_call --dest="$item" /StatusNotifierItem \
        org.kde.StatusNotifierItem.Activate int32:10 int32:10
    wait_for 10 shown || fail "Activate did not show the window"
    expect_at 5 "Alarm is set.|" status
    click_item _Details
    wait_for 10 summary_lists "Reminder# 1 is set." || fail "no summary"
    at press Ok || fail "no Ok in the summary"
    click_item _Exit  # with the window shown it withdraws to the notification area
    wait_for 10 eval '! shown' || fail "the window stayed"
    # The host goes away: the window comes within reach (the compositor keeps no minimised state,
    # so it counts as shown); the host back, the item registers again and its menu answers.
    kill "$HOST"
    wait_for 10 shown || fail "the window stayed out of reach without a host"
    host
    wait_for 10 eval '[ "$(wc -l <"$WORK/sni")" = 2 ]' || fail "the item did not register again"
    click_item _Exit
    wait_for 10 eval '! shown' || fail "the window did not go back to the item"
    click_item _Exit
    expect_box 10 "Exit Program?" \
        "text:$(printf 'An alarm has been set to ring within the next 24 hours.
If you close this program, the alarm may not run.')" "button:OK" "button:Cancel"
    at press Cancel || fail "could not answer the warning"
    [ -f "$ENTRY" ] || fail "no log-on entry for the armed reminder"
    set_clock "2026-12-06 14:24:58"
    expect_box 15 "$(ok_box "$RING" 'Message:\nBuy milk')"
    wait_for 10 shown || fail "the window was not brought back"
    at focusable OK || fail "the box's button cannot take the focus"
    heard 4 || fail "the alarm was silent"
    at press OK || fail "could not answer the box"
    expect_at 10 "Alarm not set.|" status
    # An accessible press clicks a moment later (animated), and a menu click while a box is open
    # only raises it.
    wait_for 10 eval '! at box' || fail "the ring box stayed open"
    click_item _Exit  # nothing armed now: the program ends
    wait_for 15 ended || fail "the program did not end"
}
# Start-up to the tray and the end on SIGTERM under memcheck: no memory errors, nothing definitely
# lost.
valgrind() {
    NO_A11Y=1 start_desktop
    start_tray
    make_records "$DAT" "1|2099-12-06|02:25 PM|3|far ahead|1"
    RUN=(valgrind --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite
        --error-exitcode=9
        --suppressions="$E2E/../valgrind.supp" --log-file="$WORK/valgrind.log" "$APP/chimewright")
    start_app
    reach_tray 120 "$(ok_box Chimewright 'You have scheduled an alarm for: 6 Dec 2099
Alarm Time: 02:25 PM\n\nMessage/Notes: \nfar ahead')"
    kill -TERM "$APP_PID"
    local rc=0
    wait "$APP_PID" || rc=$?
    grep -E "ERROR SUMMARY|definitely lost" "$WORK/valgrind.log" || true
    [ "$rc" != 9 ] && grep -q "ERROR SUMMARY: 0 errors" "$WORK/valgrind.log" \
        || fail "memcheck: $(cat "$WORK/valgrind.log")"
}
# ---- Write failures the system makes: the file keeps its bytes, the reason is shown, nothing
# rings that was not saved, and a due alarm still rings and is heard.
# refused REASON: Set Alarm for 10:01 AM confirmed with OK when the record cannot be written.
refused() {
    keep_dat
    click_icon 1
    shown_for 0
    xdotool key ctrl+a type --delay 20 "Call the bank"
    xdotool key shift+Tab ctrl+a type --delay 20 "10:01 AM"
    xdotool key shift+Tab space
    answer "Confirm Alarm Schedule" Return
    expect_box 10 "$(ok_box Chimewright "Could not write reminders.dat: $1")"
    answer Chimewright Return
    dat_kept
    main_window_is shown || fail "the window went to the tray as after a save"
    set_clock "2026-12-06 10:00:59"
    no_box 10  # a tick every 5 s, then the sound's start
}
disk() {
    if [ "$(id -u)" != 0 ]; then  # root of a user namespace of its own may mount the small disk
        rm -rf "$WORK"; exec unshare --user --map-root-user --mount bash "$0" "$EXE" disk
    fi
    local kb; kb=$(du -sk "$APP" | cut -f1)
    mv "$APP" "$WORK/files"
    mkdir "$APP"
    mount -t tmpfs -o size=$((kb + 2048))k tmpfs "$APP" ||
        fail "no tmpfs (the full disk needs root)"
    AT_EXIT+=("umount '$APP'")
    cp -a "$WORK/files/." "$APP/"
    start_desktop; start_tray; start_sound
    fill_disk() {
        dd if=/dev/zero of="$APP/.fill" bs=4k 2>/dev/null || true
        ! printf x 2>/dev/null >"$APP/.probe" || fail "the disk is not full"
    }
    make_records "$DAT" "1|2026-12-06|09:00 PM|0|Pay rent|1"
    tray_app "2026-12-06 10:00:00"
    fill_disk
    refused "No space left on device"
    stop_app
    rm "$APP/.fill"
    make_records "$DAT" "1|2026-12-06|02:25 PM|0|Tea with Anna|1"  # a ring on a full disk
    tray_app "2026-12-06 14:20:00"
    fill_disk
    keep_dat
    set_clock "2026-12-06 14:24:58"
    expect_box 15 "$(ok_box "$RING" 'Message:\nTea with Anna')"
    main_window_is shown || fail "the main window was not brought back"
    heard 4 || fail "the alarm was silent"
    answer "$RING" Return
    expect_box 10 "$(ok_box Chimewright "Could not write reminders.dat: No space left on device")"
    answer Chimewright Return
    dat_kept
    no_box 6
    alive "after the ring"
}
# A 1000-byte file-size limit: spending a missed alarm fails half-way, is reported, the file stays
# whole.
fsize() {
    start_desktop; start_tray
    make_records "$DAT" "1|2026-12-06|09:00 AM|0|missed|1"
    keep_dat
    RUN=(prlimit --fsize=1000 "$APP/chimewright")
    start_app "2026-12-06 10:00:00"
    answer Chimewright Return  # the missed alarm
    expect_box 10 "$(ok_box Chimewright "Could not write reminders.dat: File too large")"
    answer Chimewright Return
    dat_kept
    wait_for 20 icon_shown || fail "no icon"
    no_box 3
}
# As an unprivileged user: a read-only program folder, a read-only autostart folder, an unreadable
# file.
perm() {
    if [ "$(id -u)" = 0 ]; then  # root reads and writes anything: the journey runs as nobody
        AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
        chmod 711 "$WORK"
        chown -R 65534:65534 "$WORK/home" "$WORK/rt" "$APP"
    fi
    start_desktop; start_tray; start_sound
    make_records "$DAT" "1|2026-12-06|09:00 PM|0|Pay rent|1"
    chown --reference="$APP" "$DAT"
    chmod 555 "$APP"
    start_app "2026-12-06 10:00:00"
    reach_tray 20
    refused "Permission denied"
    stop_app
    chmod 755 "$APP"
    make_records "$DAT" "1|2026-12-09|09:00 AM|0|later|1"
    rm -f "$ENTRY"
    chmod 555 "$XDG_CONFIG_HOME/autostart"
    start_app "2026-12-06 10:00:00"
    expect_box 20 \
        "$(ok_box Chimewright "Could not write the log-on start entry $ENTRY: Permission denied")"
    answer Chimewright Return
    no_box 6  # reported once
    tray_menu 3
    wait_for 10 ended || fail "Exit did not end the program: $(at box)"
    chmod 755 "$XDG_CONFIG_HOME/autostart"
    keep_dat
    chmod 000 "$DAT"
    start_app "2026-12-06 23:59:00"
    reach_tray 20 "$(ok_box Chimewright "Could not open reminders.dat: Permission denied")"
    no_box 6  # then quiet for the rest of the day
    set_clock "2026-12-06 23:59:58"
    expect_box 10 "$(ok_box Chimewright "Could not open reminders.dat: Permission denied")"
    answer Chimewright Return
    no_box 6  # once for the new day
    chmod 644 "$DAT"
    dat_kept
}
"$2"
echo PASS
