"""Seconds from the box to the first sound: WAV END BOX (the recording's end and the box's time)."""
import struct
import sys
import wave

w = wave.open(sys.argv[1])
rate, channels = w.getframerate(), w.getnchannels()
frames = w.readframes(w.getnframes())
samples = struct.unpack('<%dh' % (len(frames) // 2), frames)
start = float(sys.argv[2]) - len(samples) / channels / rate
for i, s in enumerate(samples):
    if abs(s) > 300:
        print('%.3f' % (start + i / channels / rate - float(sys.argv[3])))
        break
