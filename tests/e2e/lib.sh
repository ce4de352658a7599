# The end-to-end harness: a private desktop (X server or Wayland compositor, openbox, a tray or
# StatusNotifierItem host, session and accessibility bus), a null sound sink, a clock the journey
# moves, and the real executable in a folder of its own. Helpers are stopped by PID on exit.
set -euo pipefail
# Own network and mount namespaces with a private X socket folder: other sessions' X servers share
# the abstract socket names. Lock files stay in the shared /tmp, so displays still differ.
if [ -z "${CHIMEWRIGHT_ISOLATED:-}" ] && [ "$(id -u)" = 0 ] &&
    unshare --net --mount true 2>/dev/null; then
    export CHIMEWRIGHT_ISOLATED=1
    exec unshare --net --mount --propagation private bash -c \
        'mkdir -p /tmp/.X11-unix && mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix &&
            exec bash "$@"' \
        bash "${BASH_SOURCE[1]}" "$@"
fi
E2E=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd) WORK=$(mktemp -d) EXE=$1
# AS_USER: runs the program as another user.
APP=$WORK/app PIDS=() AT_EXIT=() AS_USER=() RUN=() WM=none
cleanup() {
    local i live=" $(jobs -p | tr '\n' ' ') "  # only unreaped PIDs: others may be reused by now
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        [[ $live == *" ${PIDS[i]} "* ]] || continue
        kill "${PIDS[i]}" 2>/dev/null || true
        kill -CONT "${PIDS[i]}" 2>/dev/null || true
        # One that does not end in 5 s is killed: a journey fails with its reason, not by timing
        # out.
        timeout 5 tail --pid="${PIDS[i]}" -f /dev/null || kill -9 "${PIDS[i]}" 2>/dev/null || true
        wait "${PIDS[i]}" 2>/dev/null || true
    done
    for ((i = ${#AT_EXIT[@]} - 1; i >= 0; i--)); do eval "${AT_EXIT[i]}" || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    local i=0; while caller "$i" | sed 's/^/  at line /' >&2; do i=$((i + 1)); done
    { at box | sed 's/^/open box: /'; cat "$WORK/app.log"; } >&2 || true
    exit 1
}
# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do ((SECONDS < deadline)) || return 1; sleep 0.2; done
}
spawn() { "$@" & PIDS+=($!); }
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
alive() { ! ended || fail "the program ended ($1)"; }
stop_app() { kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null || true; }
mkdir -p "$APP" "$WORK/home/.config/autostart" "$WORK/rt"
chmod 700 "$WORK/rt"
cp "$1" "$(dirname "$1")"/{README.TXT,odetojoy.mid,chimewright.xpm,chimewright.png} "$APP/"
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache \
    XDG_RUNTIME_DIR=$WORK/rt
export LANG=en_US.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
ENTRY=$XDG_CONFIG_HOME/autostart/Chimewright.EXE.desktop RING="Chimewright Personal Alarm"
# start_desktop [openbox]: the X server (-noreset: no reset when its last client leaves, failing
# the next one), the window manager when asked, and the buses.
start_desktop() {
    exec 5>"$WORK/display"
    spawn Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1
    wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$WORK/display")
    [ "${1:-}" != openbox ] || start_wm
    start_bus
}
start_wm() {
    WM=openbox
    spawn openbox --sm-disable >/dev/null 2>&1
    wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" \
        || fail "no openbox"
}
# start_bus: the journey's own session bus with the accessibility bus on it.
start_bus() {
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    spawn "${AS_USER[@]}" dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" \
        >/dev/null 2>&1
    wait_for 10 test -S "$XDG_RUNTIME_DIR/bus" || fail "no session bus"
    [ -z "${NO_A11Y:-}" ] || return 0
    spawn "${AS_USER[@]}" /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 \
        >/dev/null 2>&1
    wait_for 10 "${AS_USER[@]}" dbus-send --session --dest=org.a11y.Bus --print-reply \
        /org/a11y/bus org.a11y.Bus.GetAddress || fail "no accessibility bus"
}
start_tray() {
    spawn trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
        --expand true --transparent false --tint 0xcccccc >/dev/null 2>&1
    wait_for 20 sh -c "xwininfo -root -tree | grep -q '\"panel\"'" || fail "no tray host"
}
start_sound() {
    "${AS_USER[@]}" mkdir -p "$XDG_RUNTIME_DIR/pulse"
    spawn "${AS_USER[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-null-sink sink_name=test_sink" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse/native" \
        >/dev/null 2>&1
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    wait_for 15 pactl info || fail "no sound server"
    # GStreamer's plugin registry, built here rather than in the time a sound has to start.
    "${AS_USER[@]}" timeout 120 gst-inspect-1.0 >/dev/null 2>&1 ||
        fail "no GStreamer plugin registry"
}
# The program's clock runs at an offset from real time read from a file, so the journey moves it:
# set_clock "YYYY-MM-DD HH:MM:SS" (in TZ). start_app [MOMENT]: the program (or RUN) at that moment.
echo +0 >"$WORK/clock"
set_clock() {
    echo "$(date -d "$1" +%s) - $(date +%s.%N)" | bc -l | sed 's/^[0-9.]/+&/' >"$WORK/clock"
}
start_app() {
    [ -z "${1:-}" ] || set_clock "$1"
    ((${#RUN[@]})) || RUN=("$APP/chimewright")
    # Through a pipe: a file-size limit on the program does not meet its log.
    "${AS_USER[@]}" env LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1 \
        FAKETIME_CACHE_DURATION=1 FAKETIME_TIMESTAMP_FILE="$WORK/clock" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_DONT_RESET=1 "${RUN[@]}" \
        > >(cat >>"$WORK/app.log") 2>&1 &
    APP_PID=$! RUN=()
    PIDS+=($APP_PID)
}
# at CMD ARGS...: one reading over AT-SPI (atspi.py); expect_at SECONDS EXPECTED CMD...: it reads
# so.
at() { "${AS_USER[@]}" timeout 20 /usr/bin/python3 "$E2E/atspi.py" "$@" 2>/dev/null; }
at_is() { [ "$(at "${@:2}")" = "$1" ]; }
expect_at() {
    wait_for "$1" at_is "$2" "${@:3}" || fail "AT-SPI '${*:3}': wanted [$2], read [$(at "${@:3}")]"
}
# expect_box SECONDS TITLE LINES...: the showing box reads exactly so (title, texts, buttons);
# ok_box TITLE TEXT: the lines of a box of one OK button (TEXT a printf format).
expect_box() { expect_at "$1" "$(printf '%s\n' "${@:2}")" box; }
ok_box() { printf '%s\n' "$1" "text:$(printf "$2")" "button:OK"; }
# window_id TITLE: the viewable dialog with exactly that title (boxes may share the main window's).
window_id() {
    local id
    local name; name="^$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$1")\$"
    for id in $(xdotool search --onlyvisible --name "$name" 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q DIALOG && echo "$id" && return 0
    done
    return 1
}
main_window() {
    local id
    for id in $(xdotool search --name '^Chimewright$'); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q _NORMAL && echo "$id" && return 0
    done
}
# geometry ID: "X Y WIDTH HEIGHT MAPSTATE OVERRIDE" of a window (with no ID xwininfo would wait for
# a click).
geometry() {
    [ -n "$1" ] && xwininfo -id "$1" |
        awk '/te upper-left [XY]|Width|Height|Map State|Override/ {printf "%s ", $NF}'
}
gone() { [[ $(geometry "$1" 2>/dev/null) != *IsViewable* ]]; }
# wm_state: Normal, Iconic, Withdrawn, or none when no window manager keeps one.
wm_state() {
    local id; id=$(main_window)
    [ -n "$id" ] &&
        xprop -id "$id" WM_STATE | awk '/window state:/ {s = $3} END {print s ? s : "none"}'
}
# The window as the X server maps it and the window manager keeps it: shown, hidden to the tray
# (no task bar entry), or minimised in the task bar (with no window manager: still on screen).
main_window_is() {
    local g; g=($(geometry "$(main_window)")) || return 1
    case $1:$WM:$(wm_state) in
    shown:none:* | shown:*:Normal | minimised:none:*) [ "${g[4]}" = IsViewable ] ;;
    withdrawn:*:none | withdrawn:*:Withdrawn | minimised:*:Iconic) [ "${g[4]}" = IsUnMapped ] ;;
    *) return 1 ;;
    esac
}
focused() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
# shown_for SECONDS: the window comes up and stays up that long (a late state change must not hide
# it), and it has the keyboard (under a window manager a restore asks it for the focus).
shown_for() {
    wait_for 10 main_window_is shown || fail "the window did not show: $(wm_state)"
    local until=$((SECONDS + $1))
    while ((SECONDS < until)); do
        main_window_is shown || fail "the window went away: $(wm_state)"; sleep 0.2
    done
    wait_for 5 focused "$(main_window)" || fail "the window did not get the keyboard"
}
# click ID X Y [BUTTON]: a click at that point of the window (negative Y: from its bottom edge).
click() {
    local g; g=($(geometry "$1"))
    xdotool mousemove $((g[0] + $2)) $((g[1] + ($3 < 0 ? g[3] : 0) + $3)) click "${4:-1}"
}
# icon_id [NAME]: the icon's window in the panel (awk reads to the end: a reader that leaves early
# breaks the pipe).
icon_id() {
    xwininfo -root -tree |
        awk -v n="\"${1:-Chimewright}\"" '/"panel"/ {p = 1} p && index($0, n) && !c++ {print $1}' |
        grep .
}
# icon_shown [NAME]: the icon is embedded and mapped.
icon_shown() { [ "$(geometry "$(icon_id "$@")" | cut -d' ' -f5)" = IsViewable ]; }
click_icon() { wait_for 10 icon_shown || fail "no tray icon"; click "$(icon_id)" 8 8 "$1"; }
restore() { click_icon 1; shown_for 1; }
# menu_id: the program's pop-up menu on screen (a top-level window the window manager leaves alone).
menu_id() {
    local id
    for id in $(xwininfo -root -children |
        awk '/^ +0x.*"Chimewright": \("chimewright"/ {print $1}'); do
        [[ $(geometry "$id") == *IsViewable\ yes* ]] && echo "$id" && return 0
    done
    return 1
}
# tray_menu N: opens the icon's menu and, once it is on screen, clicks its item N of 3 (Restore,
# Details, Exit): a key sent to a menu just mapped may come before its keyboard grab.
tray_menu() {
    click_icon 3
    wait_for 10 menu_id || fail "the tray menu did not open"
    local g; g=($(geometry "$(menu_id)"))
    click "$(menu_id)" 20 $((g[3] * (2 * $1 - 1) / 6))
}
menu_exit() { xdotool key alt+f; wait_for 5 menu_id || fail "no File menu"; xdotool key x; }
# title_fits ID TITLE: under openbox the title bar's label (the widest of the frame's small windows
# narrower than the window) holds the whole title in openbox's title font (sans, bold, 8 points).
title_fits() {
    [ "$WM" = openbox ] || return 0
    local frame width label text
    frame=$(xwininfo -id "$1" -tree | awk '/Parent window id/ {print $4}')
    width=$(geometry "$1" | cut -d' ' -f3)
    label=$(xwininfo -id "$frame" -tree | grep -oE '[0-9]+x[0-9]+\+' | tr 'x+' '  ' \
        | awk -v w="$width" '$2 < 30 && $1 < w && $1 > l {l = $1} END {print l + 0}')
    text=$(convert -font "$(fc-match -f '%{file}' sans:bold)" -pointsize 8 -density 96 label:"$2" \
        -format %w info:)
    ((label >= text)) || fail "the title '$2' is cut: $text pixels in a label of $label"
}
# answer TITLE KEYS...: waits for the box, checks its title shows whole, gives it the keyboard and
# presses the keys.
answer() {
    wait_for 20 window_id "$1" || fail "no box titled '$1'"
    local id; id=$(window_id "$1")
    title_fits "$id" "$1"
    press_in "$id" "${@:2}"
    wait_for 10 gone "$id" || fail "box '$1' stayed open"
}
press_in() {
    xdotool windowfocus "$1" 2>/dev/null || true
    wait_for 5 focused "$1" || true; xdotool key "${@:2}"
}
# watch_rings: answers every ring box in the background, a line for each in $WORK/rings; WATCHER is
# its PID.
watch_rings() {
    : >"$WORK/rings"
    while true; do
        if id=$(window_id "$RING"); then
            echo ring >>"$WORK/rings"; press_in "$id" Return; wait_for 10 gone "$id"
        fi
        sleep 0.2
    done &
    PIDS+=($!) WATCHER=$!
}
rings() { [ "$(wc -l <"$WORK/rings")" = "$1" ]; }
# heard SECONDS / quiet SECONDS: the RMS of what the null sink plays meanwhile. A recording that got
# no samples (the sink delivers in blocks; a busy server starts late) measured nothing: taken once
# more.
level() {
    local r try
    for try in 1 2; do
        timeout "$2" parec -d test_sink.monitor --file-format=wav "$WORK/sound.wav" 2>/dev/null ||
            true
        r=$(sox "$WORK/sound.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
        [[ $r =~ ^[0-9.]+$ ]] && break
    done
    echo "   RMS: $r"
    awk -v r="$r" "BEGIN {exit !(r != \"\" && r $1)}"
}
heard() { level '> 0.005' "$1"; }
quiet() { level '< 0.001' "$1"; }
# make_records FILE "n|YYYY-MM-DD|hh:mm AM|option|message|armed(0/1)"...: reminders.dat by hand;
# record FILE N: record N as "time|day|option|message|set" (the message without its blank padding).
make_records() { python3 "$E2E/files.py" make "$@"; }
record() { python3 "$E2E/files.py" read "$@"; }
