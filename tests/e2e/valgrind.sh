# The real program's start-up to the tray and its end on SIGTERM under valgrind
# memcheck: no memory errors, no memory that is definitely lost.
source "$(dirname "$0")/lib.sh"
need valgrind

# No accessibility bus: nothing here reads the widgets.
NO_A11Y=1
start_desktop
start_tray
make_records "$APP/reminders.dat" "1|2099-12-06|02:25 PM|3|far ahead|1"
valgrind --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite --error-exitcode=9 \
    --suppressions="$(dirname "$0")/../valgrind.supp" --log-file="$WORK/valgrind.log" \
    "$APP/chimewright" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
PIDS+=($APP_PID)
reached=0
for _ in $(seq 1 600); do
    if id=$(window_id Chimewright); then  # the advance notice of reminder 1
        xdotool windowfocus "$id" 2>/dev/null || true
        sleep 0.3
        xdotool key Return
    fi
    icon_shown && { reached=1; break; }
    sleep 0.2
done
[ "$reached" = 1 ] || fail "no icon under valgrind"
sleep 2
kill -TERM "$APP_PID"
rc=0
wait "$APP_PID" || rc=$?
grep -E "ERROR SUMMARY|definitely lost|in use at exit" "$WORK/valgrind.log" || true
[ "$rc" != 9 ] || { cat "$WORK/valgrind.log" >&2; fail "valgrind found errors"; }
grep -q "ERROR SUMMARY: 0 errors" "$WORK/valgrind.log" || { cat "$WORK/valgrind.log" >&2; fail "valgrind found errors"; }
echo "PASS"
