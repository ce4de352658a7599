source /work/wt-e2e/tests/e2e/lib.sh
start_desktop; start_tray; start_sound
watch_rings
make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|late|1"
start_app "2026-12-06 14:24:58"
wait_for 15 rings 1
echo "pids ${PIDS[*]}; jobs $(jobs -p | tr '\n' ' ')"
