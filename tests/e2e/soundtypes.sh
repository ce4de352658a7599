# Every type of the sound filter decodes to audible sound through the GStreamer
# plugins that the player uses: a tone written in each format (and our own melody
# for the MIDI types) is decoded and measured.
set -euo pipefail
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
melody="$(dirname "$1")/odetojoy.mid"
cd "$WORK"
for c in sox gst-launch-1.0 gst-inspect-1.0 python3 timeout; do
    command -v "$c" >/dev/null || { echo "FAIL: '$c' is not installed; tools/install-packages installs the test packages" >&2; exit 1; }
done
# A home of its own: GStreamer's plugin registry is not shared with other runs, and is
# built here rather than inside the first decode's time limit.
export HOME=$WORK XDG_CACHE_HOME=$WORK/.cache
timeout 120 gst-inspect-1.0 >/dev/null 2>&1 || { echo "FAIL: GStreamer's plugin registry could not be built" >&2; exit 1; }

sox -n -r 44100 -c 1 -b 16 tone.wav synth 1 sine 440 vol 0.5
for ext in au aif aiff aifc snd; do
    sox tone.wav "tone.$ext"
done
gst-launch-1.0 -q filesrc location=tone.wav ! wavparse ! audioconvert ! lamemp3enc ! filesink location=tone.mp3
gst-launch-1.0 -q filesrc location=tone.wav ! wavparse ! audioconvert ! avenc_wmav2 ! asfmux ! filesink location=tone.wma
cp "$melody" tone.mid
cp "$melody" tone.midi
# RMI: the same MIDI data wrapped in a RIFF RMID chunk.
python3 - "$melody" tone.rmi <<'PY'
import struct, sys
smf = open(sys.argv[1], 'rb').read()
pad = b'\0' if len(smf) % 2 else b''
body = b'RMID' + b'data' + struct.pack('<I', len(smf)) + smf + pad
open(sys.argv[2], 'wb').write(b'RIFF' + struct.pack('<I', len(body)) + body)
PY

failed=0
for ext in mp3 mid midi rmi wav au wma aif snd aifc aiff; do
    rm -f out.wav
    # filesrc ! decodebin: uridecodebin's own source now and then hangs at the end of
    # a short AIFF-C file (about 1 run in 30), which would say nothing about the decoders.
    timeout 60 gst-launch-1.0 -q filesrc location="$WORK/tone.$ext" ! decodebin ! audioconvert ! audioresample \
        ! audio/x-raw,format=S16LE ! wavenc ! filesink location=out.wav >/dev/null 2>&1 || true
    rms=$( [ -s out.wav ] && sox out.wav -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}' || echo 0)
    if python3 -c "import sys; sys.exit(0 if float('${rms:-0}') > 0.01 else 1)"; then
        echo "$ext: RMS $rms"
    else
        echo "$ext: SILENT or not decoded (RMS ${rms:-none})"
        failed=1
    fi
done
exit $failed
