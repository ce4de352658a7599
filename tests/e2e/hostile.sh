# Hostile data files: the program starts to the tray whatever reminders.dat holds,
# and a ringing with an unusable sound file shows why, then the message.
source "$(dirname "$0")/lib.sh"

start_desktop
start_tray
start_sound

# reach_tray: answers whatever boxes start-up shows until the icon is there.
reach_tray() {
    local deadline=$((SECONDS + 40)) id settled=0
    # Boxes may follow the icon (a failure while withdrawing): answer them too.
    until icon_shown && ((settled++ > 10)); do
        ((SECONDS < deadline)) || fail "did not reach the tray"
        if id=$(window_id Chimewright); then
            settled=0
            echo "   box: $(xdotool getwindowname "$id")"
            xdotool windowfocus "$id" 2>/dev/null || true
            sleep 0.2
            xdotool key Return
        fi
        sleep 0.2
    done
    kill -0 "$APP_PID" || fail "the program died"
}

step "reminders.dat of random bytes, 1 byte, 10 MB, and armed garbage"
head -c 6204 /dev/urandom >"$WORK/random.dat"
printf 'x' >"$WORK/one.dat"
head -c 10485760 /dev/urandom >"$WORK/big.dat"
python3 - "$WORK/garbage.dat" <<'PY'
import struct, sys
recs = [
    b'xx:yy ZZ' + struct.pack('<d', 46362.0) + struct.pack('<h', 3) + b'\x00' * 2048 + struct.pack('<h', -1),
    b'02:25 PM' + struct.pack('<d', float('nan')) + struct.pack('<h', 32767) + b'\xff' * 2048 + struct.pack('<h', -1),
    b'\x00' * 8 + struct.pack('<d', 1e300) + struct.pack('<h', -32768) + b'\x81' * 2048 + struct.pack('<h', 12345),
]
open(sys.argv[1], 'wb').write(b''.join(recs))
PY
for f in random one big garbage; do
    cp "$WORK/$f.dat" "$APP/reminders.dat"
    start_app "2026-12-06 12:00:00"
    reach_tray
    echo "   $f: in the tray"
    stop_app
done

step "unusable sound settings: the reason first, then the message"
mkdir -p "$WORK/a folder"
head -c 4096 /dev/urandom >"$WORK/noise.wav"
printf '\x00\x01\xff\xfe binary\r\n' >"$WORK/binary.set"
python3 -c "print('/' + 'a' * 100000, end='\r\n')" >"$WORK/long.set"
printf '%s\r\n' "$WORK/a folder" >"$WORK/dir.set"
printf '%s\r\n' "$WORK/missing.mid" >"$WORK/missing.set"
printf '%s\r\n' "$WORK/noise.wav" >"$WORK/noise.set"
for s in binary long dir missing noise; do
    cp "$WORK/$s.set" "$APP/audioalarm.dat"
    make_records "$APP/reminders.dat" "1|2026-12-06|02:25 PM|0|bad sound $s|1"
    start_app "2026-12-06 14:24:56"
    wait_for 20 icon_shown || fail "$s: no icon"
    wait_for 30 window_id Chimewright || fail "$s: no reason shown"
    window_id "Chimewright Personal Alarm" >/dev/null && fail "$s: the message came before the reason"
    answer Chimewright Return
    answer "Chimewright Personal Alarm" Return
    echo "   $s: reason, then message"
    kill -0 "$APP_PID" || fail "$s: the program died"
    stop_app
done
echo "PASS"
