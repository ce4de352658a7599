# Write failures made by the system, on the real executable: a full disk, a file-size
# limit, and a read-only or unreadable file as an unprivileged user. Whatever fails,
# the files keep their bytes, the reason is shown, nothing looks like success, the
# program goes on running, and a due alarm still rings and is heard.
# Usage: faults.sh EXECUTABLE disk|fsize|perm
source "$(dirname "$0")/lib.sh"
GROUP=$2
WM=none  # the second argument names the group here, not a window manager
need setpriv prlimit sha256sum dd

# Findings are gathered, so that one run shows every fault of the group.
FINDINGS=()
bad() { echo "   BAD: $*"; FINDINGS+=("$*"); }
verdict() {
    ((${#FINDINGS[@]} == 0)) || fail "$(printf '\n  %s' "${FINDINGS[@]}")"
    echo "PASS"
}

sum() { sha256sum <"$1" | cut -c1-16; }

# same_bytes FILE SUM: the file still holds exactly the bytes it had.
same_bytes() {
    local now; now=$(sum "$1" 2>/dev/null) || now=unreadable
    [ "$now" = "$2" ] || bad "$(basename "$1") changed: $(stat -c %s "$1" 2>/dev/null || echo gone) bytes, sum $now, was $2"
}

# take_boxes SECONDS FILE: answers every general box for that long, keeping their texts.
take_boxes() {
    local deadline=$((SECONDS + $1)) id text
    while ((SECONDS < deadline)); do
        if id=$(window_id Chimewright); then
            text=$(box_texts | grep -m1 "^Chimewright"$'\t') || text="(text not read)"
            echo "   box: $text"
            echo "$text" >>"$2"
            xdotool windowfocus "$id" 2>/dev/null || true
            xdotool key Return
            wait_for 10 box_gone "$id" || fail "a box stayed open"
        fi
        sleep 0.2
    done
    touch "$2"
}

# expect_box PATTERN WHAT: a general box saying PATTERN comes, and is answered.
expect_box() {
    if ! wait_for 20 window_id Chimewright; then
        bad "no box for $2"; return 0
    fi
    : >"$WORK/box"
    take_boxes 3 "$WORK/box"
    grep -qi -- "$1" "$WORK/box" || bad "the box for $2 does not say '$1': $(cat "$WORK/box")"
}

alive() { kill -0 "$APP_PID" 2>/dev/null || bad "the program ended ($1)"; }
stop_app() { kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null || true; }

# set_alarm_refused REASON: Set Alarm through the window for 10:01 AM today, confirmed
# with OK, when the record cannot be written: the reason, no minimise, no timer started.
set_alarm_refused() {
    local before; before=$(sum "$APP/reminders.dat")
    click_icon 1
    wait_for 10 main_window_viewable || fail "the window did not show"
    sleep 0.5
    xdotool key ctrl+a
    xdotool type --delay 20 "Call the bank"
    xdotool key shift+Tab ctrl+a
    xdotool type --delay 20 "10:01 AM"
    xdotool key shift+Tab space
    wait_for 20 window_id "Confirm Alarm Schedule" || fail "no confirmation"
    echo "   $(box_texts | grep -m1 Confirm)"
    answer "Confirm Alarm Schedule" Return
    expect_box "$1" "the record that could not be written"
    same_bytes "$APP/reminders.dat" "$before"
    sleep 1
    main_window_viewable || bad "the window went to the tray as after a save"
    alive "after Set Alarm"
    set_clock "2026-12-06 10:00:57"
    # A tick every 5 s, a sound given up to 5 s to start: a wrongly started timer shows
    # within 25 s, by ringing or by a box about the spent record it could not write.
    local deadline=$((SECONDS + 25))
    while ((SECONDS < deadline)); do
        if window_id "Chimewright Personal Alarm" >/dev/null || window_id Chimewright >/dev/null; then
            bad "the alarm that was not saved went off: $(box_texts | tr '\n' ' ')"
            break
        fi
        sleep 0.5
    done
    alive "at 10:01"
}

fill_disk() {
    dd if=/dev/zero of="$APP/.fill" bs=64k 2>/dev/null || true
    dd if=/dev/zero of="$APP/.fill2" bs=4k 2>/dev/null || true
    python3 -c "import os, sys; fd = os.open(sys.argv[1], os.O_WRONLY | os.O_CREAT); os.write(fd, b'x'); os.fsync(fd)" \
        "$APP/.probe" 2>/dev/null && fail "the disk is not full"
    rm -f "$APP/.probe"
}

disk() {
    if [ "$(id -u)" != 0 ] && [ -z "${CHIMEWRIGHT_NS:-}" ]; then
        # Not root: the same group in a user namespace of its own, where a tmpfs may be mounted.
        if unshare --user --map-root-user --mount true 2>/dev/null; then
            exec env CHIMEWRIGHT_NS=1 unshare --user --map-root-user --mount bash "$0" "$BUILD_EXE" disk
        fi
        echo "SKIP: a tmpfs cannot be mounted here (not root, no user namespaces)"; exit 0
    fi
    # The program folder on a small tmpfs: the program's files and 2 MB more.
    local kb; kb=$(du -sk "$APP" | cut -f1)
    mv "$APP" "$WORK/files"; mkdir "$APP"
    if ! mount -t tmpfs -o size=$((kb + 2048))k tmpfs "$APP" 2>"$WORK/mount.err"; then
        echo "SKIP: a tmpfs cannot be mounted here: $(cat "$WORK/mount.err")"; exit 0
    fi
    AT_EXIT+=("umount '$APP'")
    cp -a "$WORK/files/." "$APP/"
    start_desktop; start_tray; start_sound

    step "full disk: Set Alarm confirmed with OK is refused with the reason"
    make_records "$APP/reminders.dat" "1|2026-12-06|09:00 PM|0|Pay rent|1"
    set_clock "2026-12-06 10:00:00"
    start_app_on_clock
    wait_for 30 icon_shown || fail "no icon"
    sleep 2
    fill_disk
    set_alarm_refused "No space left on device"
    stop_app
    rm -f "$APP"/.fill*

    step "full disk when an alarm rings: the window, the sound and the message, then the reason"
    make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|Tea with Anna|1"
    start_app "2026-12-06 14:24:30"
    wait_for 30 icon_shown || fail "no icon"
    sleep 2
    fill_disk
    local before; before=$(sum "$APP/reminders.dat")
    if wait_for 45 window_id "Chimewright Personal Alarm"; then
        main_window_viewable || bad "the main window was not brought back"
        record_sound 4 "$WORK/ring.wav"
        local rms; rms=$(rms_of "$WORK/ring.wav")
        echo "   RMS while ringing: $rms"
        python3 -c "import sys; sys.exit(0 if float('${rms:-0}') > 0.005 else 1)" || bad "the alarm was silent"
        answer "Chimewright Personal Alarm" Return
        expect_box "No space left on device" "the spent record that could not be written"
    else
        bad "the alarm did not ring"
        take_boxes 3 "$WORK/box"
    fi
    same_bytes "$APP/reminders.dat" "$before"
    wait_for 10 window_id "Chimewright Personal Alarm" && bad "the alarm rang a second time"
    alive "after the ring"
    stop_app
}

fsize() {
    # Start-up writes nothing when nothing changed: Set Alarm makes the write the limit stops.
    step "a 1000-byte file-size limit: Set Alarm's write fails half-way, is reported, the file stays whole"
    start_desktop; start_tray
    make_records "$APP/reminders.dat" "1|2026-12-06|09:00 PM|0|Pay rent|1"
    set_clock "2026-12-06 10:00:00"
    # Through a pipe, so that the limit does not meet the log first.
    LD_PRELOAD=$FAKETIME_LIB FAKETIME_TIMESTAMP_FILE=$CLOCK_FILE FAKETIME_CACHE_DURATION=1 \
        FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_DONT_RESET=1 \
        bash -c 'exec prlimit --fsize=1000 "$0"' "$APP/chimewright" > >(cat >>"$WORK/app.log") 2>&1 &
    APP_PID=$!
    PIDS+=($APP_PID)
    wait_for 20 icon_shown || fail "no icon"
    take_boxes 3 "$WORK/start"
    [ -s "$WORK/start" ] && bad "boxes at start-up: $(cat "$WORK/start")"
    set_alarm_refused "File too large"
    [ "$(stat -c %s "$APP/reminders.dat")" = 2068 ] || bad "reminders.dat is not 2068 bytes"
    alive "under the limit"
    stop_app
}

# own FILE...: the files belong to the user the program runs as.
own() { ((${#AS_USER[@]} == 0)) || chown 65534:65534 "$@"; }

perm() {
    if [ "$(id -u)" = 0 ]; then
        # Root ignores file modes: the program and its sound server run as nobody.
        AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
        chmod 711 "$WORK"
        mkdir -p "$XDG_CONFIG_HOME/autostart"
        chown -R 65534:65534 "$WORK/home" "$WORK/rt" "$APP"
    fi
    start_desktop; start_tray; start_sound

    step "read-only program folder: Set Alarm is refused with the reason"
    make_records "$APP/reminders.dat" "1|2026-12-06|09:00 PM|0|Pay rent|1"
    own "$APP/reminders.dat"
    chmod 555 "$APP"
    set_clock "2026-12-06 10:00:00"
    start_app_on_clock
    take_boxes 8 "$WORK/start"
    wait_for 20 icon_shown || fail "no icon"
    set_alarm_refused "Permission denied"
    stop_app
    chmod 755 "$APP"

    step "read-only autostart folder: reported once; Exit from the tray menu ends the program"
    make_records "$APP/reminders.dat" "1|2026-12-09|09:00 AM|0|later|1"
    own "$APP/reminders.dat"
    rm -f "$XDG_CONFIG_HOME/autostart/"*
    chmod 555 "$XDG_CONFIG_HOME/autostart"
    start_app "2026-12-06 10:00:00"
    take_boxes 20 "$WORK/entry"
    grep -qi "permission denied" "$WORK/entry" || bad "the entry failure was not reported: $(cat "$WORK/entry")"
    (($(wc -l <"$WORK/entry") <= 1)) || bad "$(wc -l <"$WORK/entry") boxes for one entry failure"
    alive "with a read-only autostart folder"
    click_icon 3
    sleep 1
    xdotool key e
    : >"$WORK/exit"
    local deadline=$((SECONDS + 20))
    while kill -0 "$APP_PID" 2>/dev/null && ((SECONDS < deadline)); do take_boxes 1 "$WORK/exit"; done
    kill -0 "$APP_PID" 2>/dev/null && { bad "Exit did not end the program"; stop_app; }
    (($(wc -l <"$WORK/exit") <= 1)) || bad "$(wc -l <"$WORK/exit") boxes on exit"
    chmod 755 "$XDG_CONFIG_HOME/autostart"

    step "unreadable reminders.dat: reported, the tray is reached, and after midnight once more at most"
    make_records "$APP/reminders.dat" "1|2026-12-09|09:00 AM|0|later|1"
    local before; before=$(sum "$APP/reminders.dat")
    own "$APP/reminders.dat"
    chmod 000 "$APP/reminders.dat"
    set_clock "2026-12-06 23:59:35"
    start_app_on_clock
    take_boxes 10 "$WORK/unreadable"
    grep -qi "permission denied" "$WORK/unreadable" || bad "the unreadable file was not reported: $(cat "$WORK/unreadable")"
    wait_for 20 icon_shown || bad "the tray was not reached"
    alive "with an unreadable file"
    # After midnight the day watch reads the file again: one report for the new day.
    local midnight; midnight=$(echo "$(date -d '2026-12-07 00:00:00' +%s) - $CLOCK_OFFSET" | bc)
    while (($(date +%s) < ${midnight%.*})); do sleep 0.5; done
    take_boxes 25 "$WORK/midnight"
    (($(wc -l <"$WORK/midnight") <= 1)) || bad "$(wc -l <"$WORK/midnight") boxes from the day watch within 25 s"
    alive "after midnight"
    chmod 644 "$APP/reminders.dat"
    same_bytes "$APP/reminders.dat" "$before"
    stop_app
}

case $GROUP in
disk | fsize | perm) "$GROUP" ;;
*) fail "unknown group '$GROUP'" ;;
esac
verdict
