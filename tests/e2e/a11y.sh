# What a screen reader hears, read over AT-SPI from the real program on an XEmbed
# tray: the main window, the status as it changes, the summary listing, every box
# met on the way, and one whole use by keyboard alone.
source "$(dirname "$0")/lib.sh"

start_desktop
start_tray
start_bus
start_sound

listing_and_ring() {
    step "a hand-made reminders.dat: the summary lines, the status, the ring"
    make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|Buy milk|1" \
        "3|2026-12-09|09:05 AM|3||1"
    start_app "2026-12-06 14:24:40"
    expect_box 10 "Chimewright" "text:$(printf 'You have scheduled an alarm for: 9 Dec 2026\nAlarm Time: 09:05 AM\n\nMessage/Notes: \nNone.')" \
        "button:OK"
    xdotool key Return
    wait_for 20 icon_shown || fail "no icon"
    tray_menu d
    expect_at 10 "$(printf '%s\n' dialog "Chimewright Alarm Settings" \
        "Reminder# 1 is set." "Alarm Date: 6 Dec 2026" "Alarm Time: 02:25 PM" "Message(first few words): Buy milk" \
        "" "" "Reminder# 2 is not set." "" "" \
        "Reminder# 3 is set." "Alarm Date: 9 Dec 2026" "Alarm Time: 09:05 AM" \
        "Also ring alarm: Everyday until the scheduled date." "Message: None." "" "")" \
        window "Chimewright Alarm Settings"
    at press Ok || fail "no Ok button in the summary"
    click_icon 1
    expect_at 10 "$(printf '%s\n' frame Chimewright '')" window Chimewright
    expect_at 10 "Alarm is set.|" status
    step "the ring: restored window, the box read whole, then the status follows"
    expect_box 30 "Chimewright Personal Alarm" "text:$(printf 'Message:\nBuy milk')" "button:OK"
    expect_at 5 "$(printf '%s\n' frame Chimewright '')" window Chimewright
    at press OK || fail "could not press OK"
    expect_at 10 "Alarm not set.|" status
    kill "$APP_PID"
    wait_for 10 sh -c "! kill -0 $APP_PID" || fail "the program did not end"
}

# tab_to FOCUS: Tab through the window, reading the focus each time, until FOCUS has it.
tab_to() {
    local i
    for i in $(seq 12); do
        [ "$(at focus)" = "$1" ] && return 0
        xdotool key Tab
        sleep 0.2
    done
    fail "Tab never reached [$1]"
}

keyboard_only() {
    step "keyboard alone: message, time, Set Alarm, Return; reopen; Clear Alarm; File > Exit"
    rm -f "$APP/reminders.dat"
    start_app "2026-12-06 10:00:00"
    wait_for 20 icon_shown || fail "no icon"
    click_icon 1
    expect_at 10 "text|Message that will appear when alarm runs:" focus
    xdotool type --delay 20 "Call the garage"
    xdotool key shift+Tab
    expect_at 5 "text|Alarm time" focus
    xdotool type --delay 20 "4:30pm"
    xdotool key shift+Tab
    expect_at 5 "push button|Set Alarm" focus
    xdotool key space
    expect_box 10 "Confirm Alarm Schedule" \
        "text:$(printf 'Run alarm on Sunday, December 06, 2026 04:30 PM?\n\nAdditional Setting: None.\nMessage/Notes: Call the garage')" \
        "button:OK" "button:Cancel"
    xdotool key Return
    wait_for 10 main_window_hidden || fail "the window stayed after Set Alarm"
    click_icon 1
    expect_at 10 "Alarm is set.|" status
    tab_to "push button|Clear Alarm"
    xdotool key space
    expect_box 10 "Clear Alarm?" "text:Alarm for Reminder#1 will be reset. Are you sure?" "button:OK" "button:Cancel"
    xdotool key Return
    expect_at 10 "Alarm not set.|" status
    expect_at 5 "push button|Clear Alarm" focus
    menu_exit
    wait_for 15 sh -c "! kill -0 $APP_PID" || fail "File > Exit did not end the program: $(at box; at focus)"
}

listing_and_ring
keyboard_only
echo "PASS"
