"""The files the journeys make and read, outside the program:
    files.py make FILE "n|YYYY-MM-DD|hh:mm AM|option|message|armed(0/1)"...   reminders.dat by hand
    files.py read FILE N      record N as "time|day|option|message|set", the message unpadded
    files.py garbage FILE     three records of impossible values
    files.py noise FILE SIZE  SIZE bytes of noise, the same at every run
    files.py exec ENTRY       the arguments of a desktop entry's Exec line, one a line
    files.py rmi MIDI OUT     the MIDI data wrapped in a RIFF RMID file
"""
import datetime
import random
import re
import shlex
import struct
import sys

DAY0, FORMAT, SIZE = datetime.date(1899, 12, 30), "<8sdh2048sh", 2068


def make(path, *rows):
    data = bytearray(SIZE * 3)
    for n, day, time, option, message, armed in (row.split("|") for row in rows):
        days = (datetime.date.fromisoformat(day) - DAY0).days
        record = struct.pack(FORMAT, time.encode(), days, int(option),
                             message.encode("cp1252").ljust(2048), -int(armed))
        data[(int(n) - 1) * SIZE:int(n) * SIZE] = record
    open(path, "wb").write(data)


def read(path, n):
    n = int(n)
    data = open(path, "rb").read()[(n - 1) * SIZE:n * SIZE]
    time, day, option, message, armed = struct.unpack(FORMAT, data)
    message = message.decode("cp1252").rstrip(" ").replace("\0", "\\0")
    print(time.decode(), DAY0 + datetime.timedelta(days=day), option, message, armed, sep="|")


def garbage(path):
    def h(v): return struct.pack("<h", v)
    def d(v): return struct.pack("<d", v)
    open(path, "wb").write(
        b"xx:yy ZZ" + d(46362) + h(3) + bytes(2048) + h(-1)
        + b"02:25 PM" + d(float("nan")) + h(32767) + b"\xff" * 2048 + h(-1)
        + bytes(8) + d(1e300) + h(-32768) + b"\x81" * 2048 + h(12345))


def noise(path, size):
    random.seed(size)
    open(path, "wb").write(random.randbytes(int(size)))


def exec_args(path):
    value = next(line[5:].rstrip("\n") for line in open(path) if line.startswith("Exec="))
    escapes = {"s": " ", "n": "\n", "t": "\t", "r": "\r"}
    value = re.sub(r"\\([sntr\\])", lambda m: escapes.get(m[1], m[1]), value)
    value = value.replace("\\$", "$").replace("\\`", "`")  # shlex keeps these two inside quotes
    print("\n".join(arg.replace("%%", "%") for arg in shlex.split(value)))


def rmi(midi, out):
    data = open(midi, "rb").read()
    body = b"RMIDdata" + struct.pack("<I", len(data)) + data + b"\0" * (len(data) % 2)
    open(out, "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)


{"make": make, "read": read, "garbage": garbage, "noise": noise, "exec": exec_args,
 "rmi": rmi}[sys.argv[1]](*sys.argv[2:])
