# The end-to-end harness: a private desktop (X server or Wayland compositor, a window manager,
# a tray or StatusNotifierItem host, session and accessibility bus), a null sound sink, a
# clock the journey moves, and the real executable in a folder of its own. Every helper
# process is started here, remembered by PID and stopped on exit.
set -euo pipefail

# A network and mount namespace with a private X socket folder: X servers of other sessions
# share the abstract socket names, so a display could be handed out twice. The lock files
# stay in the shared /tmp, so journeys beside each other still take different displays.
if [ -z "${CHIMEWRIGHT_ISOLATED:-}" ]; then
    export CHIMEWRIGHT_ISOLATED=1
    if [ "$(id -u)" = 0 ] && unshare --net --mount true 2>/dev/null; then
        exec unshare --net --mount --propagation private bash -c \
            'mkdir -p /tmp/.X11-unix && mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix && exec bash "$@"' \
            bash "${BASH_SOURCE[1]}" "$@"
    fi
    echo "note: not root, the journey shares the X socket names with other sessions"
fi

need() {
    local c
    for c; do
        command -v "$c" >/dev/null || { echo "FAIL: '$c' is not installed (tools/install-packages)" >&2; exit 1; }
    done
}
need Xvfb openbox trayer xdotool xwininfo xprop dbus-daemon pulseaudio pactl parec sox python3 bc timeout

E2E=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD_EXE=$1
WORK=$(mktemp -d)
PIDS=() AT_EXIT=() AS_USER=()  # AS_USER: a prefix that runs the program (and its servers) as another user
APP=$WORK/app RUN=() WM=none
FAKETIME_LIB=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1

cleanup() {
    local i live
    # Only processes not yet reaped: a PID waited for may by now belong to another journey.
    live=" $(jobs -p | tr '\n' ' ') "
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        [[ $live == *" ${PIDS[i]} "* ]] || continue
        kill "${PIDS[i]}" 2>/dev/null || true
        kill -CONT "${PIDS[i]}" 2>/dev/null || true
    done
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do wait "${PIDS[i]}" 2>/dev/null || true; done
    for ((i = ${#AT_EXIT[@]} - 1; i >= 0; i--)); do eval "${AT_EXIT[i]}" || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    at box 2>/dev/null | sed 's/^/open box: /' >&2 || true
    cat "$WORK/app.log" >&2 2>/dev/null || true
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
spawn() { "$@" & PIDS+=($!); }
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
alive() { kill -0 "$APP_PID" 2>/dev/null || fail "the program ended ($1)"; }
stop_app() { kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null || true; }

mkdir -p "$APP" "$WORK/home/.config/autostart" "$WORK/rt"
chmod 700 "$WORK/rt"
cp "$BUILD_EXE" "$(dirname "$BUILD_EXE")"/{README.TXT,odetojoy.mid,chimewright.xpm} "$APP/"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache XDG_RUNTIME_DIR=$WORK/rt
export LANG=en_US.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
ENTRY=$XDG_CONFIG_HOME/autostart/Chimewright.EXE.desktop

# start_desktop [openbox]: the X server, the window manager when asked, the buses.
start_desktop() {
    exec 5>"$WORK/display"
    # -noreset: a server resets when its last client leaves, failing clients connecting meanwhile.
    spawn Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1
    wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$WORK/display")
    if [ "${1:-}" = openbox ]; then
        WM=openbox
        spawn openbox --sm-disable >/dev/null 2>&1
        wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || fail "no openbox"
    fi
    start_bus
}

# start_bus: a session bus of the journey's own with the accessibility bus on it.
start_bus() {
    [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || return 0
    spawn "${AS_USER[@]}" dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" >/dev/null 2>&1
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    wait_for 10 test -S "$XDG_RUNTIME_DIR/bus" || fail "no session bus"
    [ -z "${NO_A11Y:-}" ] || return 0
    spawn "${AS_USER[@]}" /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >/dev/null 2>&1
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

start_tray() {
    spawn trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
        --expand true --transparent false --tint 0xcccccc >"$WORK/trayer.log" 2>&1
    wait_for 20 sh -c "xwininfo -root -tree | grep -q '\"panel\"'" || fail "no tray host"
}

# start_sni_host: a StatusNotifierWatcher and host; the items that register are listed in $WORK/sni.
start_sni_host() {
    : >"$WORK/sni"
    spawn /usr/bin/python3 "$E2E/sni.py" watch "$WORK/sni" >>"$WORK/sni.log" 2>&1
    wait_for 10 sh -c "dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q true" || fail "no watcher"
}
sni() { /usr/bin/python3 "$E2E/sni.py" "$@" "$WORK/sni" 2>>"$WORK/sni.log"; }

start_wayland() {
    need weston
    spawn weston --backend=headless-backend.so --socket=chimewright-wl --idle-time=0 >"$WORK/weston.log" 2>&1
    wait_for 10 test -S "$XDG_RUNTIME_DIR/chimewright-wl" || fail "no Wayland compositor"
    export WAYLAND_DISPLAY=chimewright-wl QT_QPA_PLATFORM=wayland
    unset DISPLAY
}

start_sound() {
    "${AS_USER[@]}" mkdir -p "$XDG_RUNTIME_DIR/pulse"
    spawn "${AS_USER[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-null-sink sink_name=test_sink" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse/native" >/dev/null 2>&1
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    wait_for 15 pactl info || fail "no sound server"
    # GStreamer's plugin registry, built here rather than in the time a sound has to start.
    "${AS_USER[@]}" timeout 120 gst-inspect-1.0 >/dev/null 2>&1 || fail "no GStreamer plugin registry"
}

# The program reads its clock's offset from real time out of a file, so the journey moves it.
CLOCK_FILE=$WORK/clock
echo +0 >"$CLOCK_FILE"
# set_clock "YYYY-MM-DD HH:MM:SS": the clock now reads that moment (in TZ), and runs on.
set_clock() {
    CLOCK_OFFSET=$(echo "$(date -d "$1" +%s) - $(date +%s.%N)" | bc -l)
    echo "+$CLOCK_OFFSET" | sed 's/+-/-/' >"$CLOCK_FILE"
}
# start_app [MOMENT]: the program (or the command line in RUN), its clock set to MOMENT when given.
start_app() {
    [ -z "${1:-}" ] || set_clock "$1"
    ((${#RUN[@]})) || RUN=("$APP/chimewright")
    # Through a pipe: a file-size limit on the program does not meet its log.
    "${AS_USER[@]}" env LD_PRELOAD=$FAKETIME_LIB FAKETIME_TIMESTAMP_FILE="$CLOCK_FILE" FAKETIME_CACHE_DURATION=1 \
        FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_DONT_RESET=1 "${RUN[@]}" > >(cat >>"$WORK/app.log") 2>&1 &
    APP_PID=$!
    PIDS+=($APP_PID)
    RUN=()
}

# ---- Reading and driving the windows ----
# at CMD ARGS...: one reading over AT-SPI (atspi.py); at_is EXPECTED CMD...: it reads exactly so.
at() { "${AS_USER[@]}" timeout 20 /usr/bin/python3 "$E2E/atspi.py" "$@" 2>/dev/null; }
at_is() { local want=$1; shift; [ "$(at "$@")" = "$want" ]; }
expect_at() {
    local secs=$1 want=$2; shift 2
    wait_for "$secs" at_is "$want" "$@" || fail "AT-SPI '$*': wanted [$want], read [$(at "$@")]"
}
# expect_box SECONDS TITLE LINES...: the showing box reads exactly so (title, texts, buttons).
expect_box() { local secs=$1; shift; expect_at "$secs" "$(printf '%s\n' "$@")" box; }
# A box of one OK button saying TEXT (\n for its line breaks).
ok_box() { printf '%s\n' "$1" "text:$(printf "$2")" "button:OK"; }

# window_id TITLE: the viewable dialog with exactly that title (boxes may share the main window's).
window_id() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$1")\$" 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && { echo "$id"; return 0; }
    done
    return 1
}
main_window() {
    local id
    for id in $(xdotool search --name '^Chimewright$' 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NORMAL && { echo "$id"; return 0; }
    done
    return 1
}
gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ {print $3}'; }
# wm_state ID: Normal, Iconic, Withdrawn, or none when no window manager keeps one.
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ {s = $3} END {print s ? s : "none"}'; }
# The window is judged by the X server's map state and the window manager's WM_STATE.
main_window_viewable() {
    local id; id=$(main_window) || return 1
    [ "$(map_state "$id")" = IsViewable ] && { [ "$WM" = none ] || [ "$(wm_state "$id")" = Normal ]; }
}
# Hidden to the tray: unmapped, neither iconic nor normal (no task bar entry).
main_window_withdrawn() {
    local id; id=$(main_window) || return 1
    [ "$(map_state "$id")" = IsUnMapped ] && [[ ! $(wm_state "$id") =~ Normal|Iconic ]]
}
# In the task bar: iconic; with no window manager still on screen (nothing could show it again).
main_window_minimised() {
    local id; id=$(main_window) || return 1
    if [ "$WM" = none ]; then [ "$(map_state "$id")" = IsViewable ]; else
        [ "$(wm_state "$id")" = Iconic ] && [ "$(map_state "$id")" = IsUnMapped ]; fi
}
# shown_for SECONDS: the window comes up and stays up that long (a late state change must not hide it).
shown_for() {
    wait_for 10 main_window_viewable || fail "the window did not show"
    local until=$((SECONDS + $1))
    while ((SECONDS < until)); do
        main_window_viewable || fail "the window went away again: $(wm_state "$(main_window)")"
        sleep 0.2
    done
    # Under a window manager the restore asked it for the focus; keys typed before it is there go astray.
    wait_for 5 focused "$(main_window)" || fail "the window did not get the keyboard"
}
# click_control X Y: clicks a point of the main window's client area, counted from below the menu bar.
click_control() {
    local info
    info=$(xwininfo -id "$(main_window)")
    xdotool mousemove $(($(awk '/Absolute upper-left X:/ {print $4}' <<<"$info") + $1)) \
        $(($(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info") + $(awk '/Height:/ {print $2}' <<<"$info") - 322 + $2)) click 1
}

# The icon's window in the tray host's panel, once embedded and mapped.
icon_id() {
    local id
    id=$(xwininfo -root -tree | awk '/"panel"/ {p = 1} p && /"Chimewright"/ {print $1; exit}')
    [ -n "$id" ] && [ "$(map_state "$id")" = IsViewable ] && echo "$id"
}
icon_shown() { icon_id >/dev/null; }
click_icon() {
    wait_for 10 icon_shown || fail "no tray icon to click"
    local info; info=$(xwininfo -id "$(icon_id)")
    xdotool mousemove $(($(awk '/Absolute upper-left X:/ {print $4}' <<<"$info") + 8)) \
        $(($(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info") + 8)) click "$1"
}
# menu_id: the program's pop-up menu on screen (a top-level window the window manager does not frame).
menu_id() {
    local id
    for id in $(xwininfo -root -children | awk '/^ +0x.*"Chimewright": \("chimewright"/ {print $1}'); do
        xwininfo -id "$id" | grep -q "Override Redirect State: yes" && xwininfo -id "$id" | grep -q IsViewable \
            && { echo "$id"; return 0; }
    done
    return 1
}
# tray_menu N: opens the icon's menu and, once it is on screen, clicks its item N of 3
# (Restore, Details, Exit); a key sent to a menu just mapped may come before its keyboard grab.
tray_menu() {
    click_icon 3
    wait_for 10 menu_id || fail "the tray menu did not open"
    local info; info=$(xwininfo -id "$(menu_id)")
    xdotool mousemove $(($(awk '/Absolute upper-left X:/ {print $4}' <<<"$info") + 20)) \
        $(($(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info") + $(awk '/Height:/ {print $2}' <<<"$info") * (2 * $1 - 1) / 6)) click 1
}
# menu_exit: File > Exit from the keyboard.
menu_exit() { xdotool key alt+f; wait_for 5 menu_id || fail "no File menu"; xdotool key x; }
# answer TITLE KEYS...: waits for the box, gives it the keyboard and presses KEYS.
answer() {
    local title=$1 id; shift
    wait_for 20 window_id "$title" || fail "no box titled '$title'"
    id=$(window_id "$title")
    press_in "$id" "$@"
    wait_for 10 gone "$id" || fail "box '$title' stayed open"
}
# press_in ID KEYS...: gives the window the keyboard, then presses the keys.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
press_in() {
    xdotool windowfocus "$1" 2>/dev/null || true
    wait_for 5 focused "$1" || true
    xdotool key "${@:2}"
}

# watch_rings: answers every ringing box in the background, one line per ring in $WORK/rings.
watch_rings() {
    : >"$WORK/rings"
    while true; do
        if id=$(window_id "Chimewright Personal Alarm"); then
            echo ring >>"$WORK/rings"
            press_in "$id" Return
            wait_for 10 gone "$id"
        fi
        sleep 0.2
    done &
    PIDS+=($!)
}
rings() { [ "$(wc -l <"$WORK/rings")" = "$1" ]; }

# heard SECONDS / quiet SECONDS: the RMS of what the null sink plays for that long (a
# recording that got no samples measured nothing: it is neither).
sound_level() {
    timeout "$1" parec -d test_sink.monitor --file-format=wav "$WORK/sound.wav" 2>/dev/null || true
    sox "$WORK/sound.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}
heard() { local r; r=$(sound_level "$1"); echo "   RMS: $r"; awk -v r="$r" 'BEGIN {exit !(r != "" && r > 0.005)}'; }
quiet() { local r; r=$(sound_level "$1"); echo "   RMS: $r"; awk -v r="$r" 'BEGIN {exit !(r != "" && r < 0.001)}'; }

# make_records FILE "n|YYYY-MM-DD|hh:mm AM|option|message|armed(0/1)"...: reminders.dat written by hand.
# record FILE N: record N as "time|day|option|message|set" (message without its blank padding).
make_records() { python3 - make "$@" <<<"$RECORDS_PY"; }
record() { python3 - read "$@" <<<"$RECORDS_PY"; }
RECORDS_PY='
import datetime, struct, sys
cmd, path, *args = sys.argv[1:]
DAY0 = datetime.date(1899, 12, 30)
if cmd == "make":
    data = bytearray(2068 * 3)
    for n, day, time, option, message, armed in (a.split("|") for a in args):
        data[(int(n) - 1) * 2068:int(n) * 2068] = time.encode().ljust(8) + struct.pack(
            "<dh", (datetime.date.fromisoformat(day) - DAY0).days, int(option)) + message.encode(
            "cp1252").ljust(2048) + struct.pack("<h", -int(armed))
    open(path, "wb").write(data)
else:
    r = open(path, "rb").read()[(int(args[0]) - 1) * 2068:][:2068]
    day, option = struct.unpack("<dh", r[8:18])
    print(r[:8].decode("cp1252").replace("\0", "\\0"), DAY0 + datetime.timedelta(days=day), option,
          r[18:2066].decode("cp1252").rstrip(" ").replace("\0", "\\0"), struct.unpack("<h", r[2066:])[0], sep="|")
'
