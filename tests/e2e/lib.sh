# Shared helpers for the end-to-end journeys: a private X server with a tray host,
# a null sound sink, a faked clock, and the real executable in its own folder.
# Every helper process is started here, remembered by PID and stopped on exit.
set -euo pipefail

# Each journey runs in a network and mount namespace of its own, with a private X socket
# folder: X servers of other sessions (a chroot, another checkout's tests) keep their lock
# files elsewhere but share the abstract socket names, so that a display number could be
# handed out twice and clients could reach, or be reached from, another session's desktop.
# The lock files stay in the shared /tmp, so journeys beside each other still take
# different display numbers (and the checkout may itself live under /tmp).
if [ -z "${CHIMEWRIGHT_ISOLATED:-}" ]; then
    export CHIMEWRIGHT_ISOLATED=1
    if [ "$(id -u)" = 0 ] && unshare --net --mount true 2>/dev/null; then
        exec unshare --net --mount --propagation private bash -c \
            'mkdir -p /tmp/.X11-unix && mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix && exec bash "$@"' \
            bash "${BASH_SOURCE[1]}" "$@"
    fi
    echo "note: not root, the journey shares the X socket names with other sessions"
fi

# need COMMAND...: ends at once, saying which, when a tool the journey calls is missing.
need() {
    local c
    for c; do
        command -v "$c" >/dev/null || { echo "FAIL: '$c' is not installed; tools/install-packages installs the test packages" >&2; exit 1; }
    done
}
need Xvfb trayer xdotool xwininfo xprop dbus-daemon /usr/libexec/at-spi-bus-launcher pulseaudio pactl parec gst-inspect-1.0 sox python3 bc timeout

BUILD_EXE=$1
WORK=$(mktemp -d)
PIDS=()
AT_EXIT=()  # commands run after the helper processes are stopped
AS_USER=()  # a prefix that runs the program and its sound server as another user
FAKETIME_LIB=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1

cleanup() {
    local i live
    # Only processes of this journey not yet reaped: a PID already waited for may by now
    # belong to another journey running beside this one.
    live=" $(jobs -p | tr '\n' ' ') "
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        [[ $live == *" ${PIDS[i]} "* ]] || continue
        kill "${PIDS[i]}" 2>/dev/null || true
        kill -CONT "${PIDS[i]}" 2>/dev/null || true
    done
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        wait "${PIDS[i]}" 2>/dev/null || true
    done
    for ((i = ${#AT_EXIT[@]} - 1; i >= 0; i--)); do
        eval "${AT_EXIT[i]}" || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -n "${DISPLAY:-}" ] && [ -n "${CHIMEWRIGHT_SHOTS:-}" ] && import -window root "$CHIMEWRIGHT_SHOTS/failure.png" 2>/dev/null
    xwininfo -root -tree 2>/dev/null | grep -i chime >&2 || true
    box_texts 2>/dev/null | sed 's/^/open box: /' >&2 || true
    cat "$WORK/app.log" >&2 2>/dev/null || true
    [ -s "$WORK/trayer.log" ] && sed 's/^/trayer: /' "$WORK/trayer.log" >&2
    exit 1
}
step() { echo "-- $*"; }

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

APP=$WORK/app
mkdir -p "$APP" "$WORK/home/.config" "$WORK/rt"
chmod 700 "$WORK/rt"
cp "$BUILD_EXE" "$(dirname "$BUILD_EXE")"/{README.TXT,odetojoy.mid,chimewright.xpm} "$APP/"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache XDG_RUNTIME_DIR=$WORK/rt
export LANG=en_US.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER

start_desktop() {
    exec 5>"$WORK/display"
    # -noreset: a server resets when its last client leaves, and a client connecting
    # meanwhile (a tray host after a poll, the program after the accessibility launcher) fails.
    Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    PIDS+=($!)
    wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$WORK/display")
    if [ "$WM" = openbox ]; then start_wm; fi
    start_bus
}

start_tray() {
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
        --expand true --transparent false --tint 0xcccccc >"$WORK/trayer.log" 2>&1 &
    PIDS+=($!)
    wait_for 20 sh -c "xwininfo -root -tree | grep -q '\"panel\"'" || fail "no tray host"
}

start_sound() {
    "${AS_USER[@]}" mkdir -p "$XDG_RUNTIME_DIR/pulse"
    "${AS_USER[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-null-sink sink_name=test_sink" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse/native" >/dev/null 2>&1 &
    PIDS+=($!)
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    wait_for 15 pactl info || fail "no sound server"
    # GStreamer scans its plugins on first use in a fresh home: done here, it does not
    # eat into the time the program gives a sound to start.
    "${AS_USER[@]}" timeout 120 gst-inspect-1.0 >/dev/null 2>&1 || fail "GStreamer's plugin registry could not be built"
}

# start_app [FAKETIME]: starts the program, the clock faked from that moment when given.
start_app() {
    if [ -n "${1:-}" ]; then
        "${AS_USER[@]}" env LD_PRELOAD=$FAKETIME_LIB FAKETIME="@$1" FAKETIME_DONT_FAKE_MONOTONIC=1 \
            FAKETIME_DONT_RESET=1 "$APP/chimewright" >>"$WORK/app.log" 2>&1 &
    else
        "${AS_USER[@]}" "$APP/chimewright" >>"$WORK/app.log" 2>&1 &
    fi
    APP_PID=$!
    PIDS+=($APP_PID)
}

# The icon embedded in the tray host's panel: prints "X Y" of its centre.
# tray_icon_xy [NAME]: the icon of the window named NAME (Chimewright when not given).
tray_icon_xy() {
    xwininfo -root -tree | awk -v name="\"${1:-Chimewright}\"" '
        /"panel"/ { depth = match($0, /[^ ]/); inpanel = 1; next }
        inpanel && match($0, /[^ ]/) <= depth { inpanel = 0 }
        inpanel && !done && index($0, name) {
            for (i = 1; i <= NF; i++) if ($i ~ /^\+-?[0-9]+\+-?[0-9]+$/) abs = $i
            sz = $0; sub(/.*\) +/, "", sz); split(sz, d, /[x+]/); split(abs, p, "+")
            print p[2] + d[1] / 2, p[3] + d[2] / 2; done = 1 }'
}

icon_shown() { [ -n "$(tray_icon_xy "$@")" ]; }

# window_id TITLE: the first viewable dialog window with exactly that title (message
# boxes may carry the program's title, like the main window).
window_id() {
    local id info pattern
    pattern=$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')
    for id in $(xdotool search --name "^$pattern\$" 2>/dev/null); do
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        grep -q IsViewable <<<"$info" || continue
        [ "$(awk '/Width:/ {print $2}' <<<"$info")" -gt 60 ] || continue
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG || continue
        echo "$id"; return 0
    done
    return 1
}

# click_control X Y: clicks at a point of the main window's client area (below its menu bar).
click_control() {
    local id info x y h
    main_window_viewable && id=$(main_window) || fail "the main window is not shown"
    info=$(xwininfo -id "$id")
    x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    xdotool mousemove $((x + $1)) $((y + h - 322 + $2)) click 1
}

# box_texts: "title<TAB>text" of every open message box, read through the accessibility bus.
box_texts() { "${AS_USER[@]}" timeout 20 /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi.py" alerts; }

box_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# icon_viewable: the icon window is in the panel and mapped (embedding maps it a
# moment after it is there; a click before that lands on the panel).
icon_viewable() {
    local id
    id=$(xwininfo -root -tree | awk '/"panel"/ {p = 1} p && /"Chimewright"/ {print $1; exit}' || true)
    [ -n "$id" ] && [[ $(xwininfo -id "$id" 2>/dev/null) == *IsViewable* ]]
}

click_icon() {
    wait_for 10 icon_viewable || fail "no tray icon to click"
    local xy; xy=$(tray_icon_xy)
    [ -n "$xy" ] || fail "no tray icon to click"
    # shellcheck disable=SC2086
    xdotool mousemove $xy click "$1"
}

# answer TITLE KEY: waits for the box and presses KEY in it.
answer() {
    wait_for 20 window_id "$1" || fail "no box titled '$1'"
    local id; id=$(window_id "$1")
    xdotool windowfocus "$id" 2>/dev/null || true
    sleep 0.3
    xdotool key "$2"
    wait_for 10 box_gone "$id" || fail "box '$1' stayed open"
}

# sound_level SECONDS: the RMS amplitude of what the null sink plays for that long.
# A recording that got no samples at all (the sink delivers in blocks, and a busy
# sound server may start late) measured nothing, so it is taken once more.
sound_level() {
    local try r
    for try in 1 2; do
        timeout "$1" parec -d test_sink.monitor --file-format=wav "$WORK/sound.wav" 2>/dev/null || true
        r=$(sox "$WORK/sound.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
        [[ $r =~ ^[0-9.]+$ ]] && break
        echo "   (the recording got no samples: $r)" >&2
    done
    echo "$r"
}
# heard SECONDS: the melody is heard; quiet SECONDS: nothing is (a failed recording is neither).
heard() { local r; r=$(sound_level "$1"); echo "   RMS: $r"; [ -n "$r" ] && awk -v r="$r" 'BEGIN {exit !(r > 0.005)}'; }
quiet() { local r; r=$(sound_level "$1"); echo "   RMS: $r"; [ -n "$r" ] && awk -v r="$r" 'BEGIN {exit !(r < 0.001)}'; }
stop_app() { kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null || true; }
# menu_exit: File > Exit from the keyboard.
menu_exit() { xdotool key alt+f; sleep 0.5; xdotool key x; }
# answer_ok TITLE: OK in a box whose default button is Cancel.
answer_ok() {
    wait_for 20 window_id "$1" || fail "no box titled '$1'"
    xdotool windowfocus "$(window_id "$1")" 2>/dev/null || true
    sleep 0.3
    xdotool key shift+Tab space
}

# The reminders file's records, written by hand: make_records FILE "n|YYYY-MM-DD|hh:mm AM|option|message|set" ...
make_records() {
    python3 - "$@" <<'PY'
import struct, sys, datetime
path = sys.argv[1]
data = bytearray()
for entry in sys.argv[2:]:
    n, day, time, option, message, armed = entry.split('|')
    ole = (datetime.date.fromisoformat(day) - datetime.date(1899, 12, 30)).days
    rec = time.encode('cp1252').ljust(8)[:8] + struct.pack('<dh', float(ole), int(option)) \
        + message.encode('cp1252').ljust(2048)[:2048] + struct.pack('<h', -1 if armed == '1' else 0)
    start = (int(n) - 1) * 2068
    if len(data) < start + 2068:
        data += bytes(start + 2068 - len(data))
    data[start:start + 2068] = rec
open(path, 'wb').write(data)
PY
}

# record_field FILE N: prints "time|set" of record N.
record_field() {
    python3 - "$1" "$2" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
r = data[(int(sys.argv[2]) - 1) * 2068:][:2068].ljust(2068, b'\0')
print(r[:8].decode('cp1252') + '|' + str(struct.unpack('<h', r[2066:2068])[0]))
PY
}

# A clock that can be moved while the program runs: the program reads its offset
# from real time out of a file. set_clock "YYYY-MM-DD HH:MM:SS" moves it there (in TZ).
CLOCK_FILE=$WORK/clock
set_clock() {
    local target now
    target=$(date -d "$1" +%s)
    now=$(date +%s.%N)
    set_clock_offset "$(echo "$target - $now" | bc -l)"
}

# set_clock_offset SECONDS: the faked clock runs that far from real time.
set_clock_offset() {
    CLOCK_OFFSET=$1
    echo "+$CLOCK_OFFSET" | sed 's/+-/-/' >"$CLOCK_FILE"
}

start_app_on_clock() {
    # The clock library is loaded by the program alone, after any change of user.
    "${AS_USER[@]}" env LD_PRELOAD=$FAKETIME_LIB FAKETIME_TIMESTAMP_FILE=$CLOCK_FILE FAKETIME_CACHE_DURATION=1 \
        FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_DONT_RESET=1 "$APP/chimewright" >>"$WORK/app.log" 2>&1 &
    APP_PID=$!
    PIDS+=($APP_PID)
}

ring_count() { wc -l <"$WORK/rings"; }

# watch_rings: answers every ringing box in the background and counts them in $WORK/rings.
watch_rings() {
    : >"$WORK/rings"
    (
        while true; do
            if id=$(window_id "Chimewright Personal Alarm"); then
                echo "$(date +%s.%N)" >>"$WORK/rings"
                xdotool windowfocus "$id" 2>/dev/null || true
                sleep 0.3
                xdotool key Return
                while ! box_gone "$id"; do sleep 0.2; done
            fi
            sleep 0.2
        done
    ) &
    PIDS+=($!)
}

# ---- Assistive technology, StatusNotifierItem hosts, Wayland ----
PY=/usr/bin/python3
E2E=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# start_bus: a session bus of the journey's own (nothing is autolaunched behind its
# back) with the accessibility bus on it, so that every box's text can be read and
# the program's widgets are published there. start_desktop starts it.
start_bus() {
    [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || return 0
    "${AS_USER[@]}" dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" >/dev/null 2>&1 &
    PIDS+=($!)
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    wait_for 10 test -S "$XDG_RUNTIME_DIR/bus" || fail "no session bus"
    [ -z "${NO_A11Y:-}" ] || return 0
    "${AS_USER[@]}" /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >/dev/null 2>&1 &
    PIDS+=($!)
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    ((${#AS_USER[@]})) || wait_for 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress || fail "no accessibility bus"
}

# at CMD ARGS...: one reading of the program over AT-SPI (tests/e2e/atspi.py).
at() { "$PY" "$E2E/atspi.py" "$@" 2>/dev/null; }
# at_is EXPECTED CMD ARGS...: the reading is exactly EXPECTED.
at_is() { local want=$1; shift; [ "$(at "$@")" = "$want" ]; }
# expect_at SECONDS EXPECTED CMD ARGS...: waits for the reading, fails with what was read.
expect_at() {
    local secs=$1 want=$2; shift 2
    wait_for "$secs" at_is "$want" "$@" || fail "AT-SPI '$*': wanted [$want], read [$(at "$@")]"
}

# expect_box SECONDS TITLE LINES...: the showing box reads exactly so (title, texts, buttons).
expect_box() {
    local secs=$1 want; shift; want=$(printf '%s\n' "$@")
    wait_for "$secs" at_is "$want" box || fail "box: wanted [$want], read [$(at box)]"
}

main_window_hidden() { ! main_window_viewable; }

# start_sni_host: a StatusNotifierWatcher with a host on the private bus (start_bus
# first); the items that register are listed in $WORK/sni.
start_sni_host() {
    : >"$WORK/sni"
    "$PY" "$E2E/sni.py" watch "$WORK/sni" >>"$WORK/sni.log" 2>&1 &
    PIDS+=($!)
    wait_for 10 sh -c "dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q true" \
        || fail "no StatusNotifierWatcher"
}
sni() { "$PY" "$E2E/sni.py" "$@" "$WORK/sni" 2>>"$WORK/sni.log"; }
sni_registered() { [ -s "$WORK/sni" ]; }
summary_lists() { at window 'Chimewright Alarm Settings' | grep -qx "$1"; }

# start_wayland: a headless Wayland compositor; the program started afterwards runs
# on it natively (no X server is left in reach).
start_wayland() {
    need weston
    weston --backend=headless-backend.so --socket=chimewright-wl --idle-time=0 >"$WORK/weston.log" 2>&1 &
    PIDS+=($!)
    wait_for 10 test -S "$XDG_RUNTIME_DIR/chimewright-wl" || fail "no Wayland compositor"
    export WAYLAND_DISPLAY=chimewright-wl QT_QPA_PLATFORM=wayland
    unset DISPLAY
}

# ---- The main window, with or without a window manager ----
# A journey runs without a window manager, or under openbox when its second
# argument is "openbox". Under a window manager the program's X window sits in a
# frame and the manager answers map and state requests later, so the window is
# judged by the X server's map state and the manager's WM_STATE, not by Qt.
WM=none; [ "${2:-}" != openbox ] || WM=openbox  # faults.sh gives its group here

start_wm() {
    need openbox
    openbox --sm-disable >/dev/null 2>&1 &
    PIDS+=($!)
    wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || fail "openbox did not start"
}

# main_window: the main window's own X window, told from the boxes that share its
# title by its window type (a box may be as wide as the window with other fonts).
main_window() {
    local id
    for id in $(xdotool search --name '^Chimewright$' 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_NET_WM_WINDOW_TYPE_NORMAL' && { echo "$id"; return 0; }
    done
    return 1
}

map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ {print $3}'; }
# wm_state ID: Normal, Iconic, Withdrawn, or none when no window manager keeps one.
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ {s = $3} END {print s ? s : "none"}'; }

# main_window_viewable: shown on screen, and Normal for the window manager.
main_window_viewable() {
    local id; id=$(main_window) || return 1
    [ "$(map_state "$id")" = IsViewable ] || return 1
    [ "$WM" = none ] || [ "$(wm_state "$id")" = Normal ]
}

# main_window_withdrawn: hidden to the tray: unmapped, and neither iconic nor
# normal for the window manager (no task bar entry).
main_window_withdrawn() {
    local id; id=$(main_window) || return 1
    [ "$(map_state "$id")" = IsUnMapped ] || return 1
    case $(wm_state "$id") in Normal | Iconic) return 1 ;; esac
}

# main_window_minimised: in the task bar: iconic for the window manager; with none,
# still on screen (nothing could show it again otherwise).
main_window_minimised() {
    local id; id=$(main_window) || return 1
    if [ "$WM" = none ]; then
        [ "$(map_state "$id")" = IsViewable ]
    else
        [ "$(wm_state "$id")" = Iconic ] && [ "$(map_state "$id")" = IsUnMapped ]
    fi
}

# shown_for SECONDS: the window comes up within 10 seconds and stays up that long
# (a late state change must not take it away again).
shown_for() {
    wait_for 10 main_window_viewable || fail "the window did not show"
    local until=$((SECONDS + $1))
    while ((SECONDS < until)); do
        main_window_viewable || fail "the window went away again: $(map_state "$(main_window)") $(wm_state "$(main_window)")"
        sleep 0.2
    done
}

# main_window_focused: the window has the keyboard (a restore brings it to the front).
main_window_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(main_window)" ]; }

# use_keyboard: gives the shown main window the keyboard before keys are typed
# (keys sent at once may come before the toolkit has taken the focus).
use_keyboard() {
    # Under a window manager the restore has asked it for the focus (one set behind
    # its back is taken away again), and a click while it still places the window
    # may land on the desktop.
    if [ "$WM" = none ]; then
        xdotool windowfocus "$(main_window)" 2>/dev/null || true
        wait_for 5 main_window_focused || fail "the window did not get the keyboard"
        click_control 200 200  # a note, which takes no action
    else
        wait_for 5 main_window_focused || fail "the window did not get the keyboard"
    fi
    sleep 0.3
}

# stacked_above A B: window A is above window B (both the program's own X windows).
stacked_above() {
    local order
    if [ "$WM" = none ]; then
        order=$(xwininfo -root -children | awk '/^ +0x/ {print $1}' | tac)  # listed top first
    else
        order=$(xprop -root _NET_CLIENT_LIST_STACKING | tr ',' '\n' | grep -o '0x[0-9a-f]*')
    fi
    awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" \
        '$1 == a {ia = NR} $1 == b {ib = NR} END {exit !(ia && ib && ia > ib)}' <<<"$order"
}

# icon_settled: the icon is in the panel and stays the same window for about 2 seconds
# (when a notification area comes up, the program shows its icon there afresh).
icon_settled() {
    local id last="" since=$SECONDS deadline=$((SECONDS + 15))
    while ((SECONDS < deadline)); do
        id=$(xwininfo -root -tree | awk '/"panel"/ {p = 1} p && /"Chimewright"/ {print $1; exit}' || true)
        [ "$id" != "$last" ] && { last=$id; since=$SECONDS; }
        [ -n "$id" ] && ((SECONDS - since >= 2)) && return 0
        sleep 0.2
    done
    fail "the icon did not settle in the notification area"
}

# tray_menu KEY: opens the icon's menu and picks the item with that key.
tray_menu() {
    click_icon 3
    sleep 1
    xdotool key "$1"
}

# record_day FILE N: the alarm day of record N, as YYYY-MM-DD.
record_day() {
    python3 - "$1" "$2" <<'PY'
import datetime, struct, sys
r = open(sys.argv[1], 'rb').read()[(int(sys.argv[2]) - 1) * 2068:][:2068]
print(datetime.date(1899, 12, 30) + datetime.timedelta(days=int(struct.unpack('<d', r[8:16])[0])))
PY
}
