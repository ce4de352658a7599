# Without a notification area the window stays reachable; when one comes up later,
# the icon appears in it.
source "$(dirname "$0")/lib.sh"

start_desktop
step "no tray host: the window is not hidden"
start_app
main_id() {
    local id
    for id in $(xdotool search --name '^Chimewright$' 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_NORMAL && { echo "$id"; return 0; }
    done
    return 1
}
wait_for 20 main_id || fail "no main window"
sleep 2
id=$(main_id)
state=$(xwininfo -id "$id" | awk '/Map State:/ {print $3}')
hints=$(xprop -id "$id" WM_HINTS 2>/dev/null || true)
echo "map state: $state; $hints"
[ "$state" = IsViewable ] || grep -q 'Iconic' <<<"$hints" || fail "the window was hidden with no way back"
kill -0 "$APP_PID" || fail "the program ended"

step "a notification area that comes up 10 seconds later gets the icon"
sleep 8
start_tray
wait_for 15 icon_shown || fail "the icon did not appear in the late notification area"
click_icon 1
wait_for 10 main_window_viewable || fail "the icon does not open the window"
echo "PASS"
