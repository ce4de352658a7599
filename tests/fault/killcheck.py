#!/usr/bin/env python3
"""Kills the store writer at random moments, at least KILLS times, and checks after
every kill that reminders.dat and audioalarm.dat hold whole states the writer had
completed: no torn record, no half-written path, no file that shrank.
Usage: killcheck.py WRITER KILLS SECONDS [plain|full|fsize]
  full:  the folder is a small tmpfs, filled before each run to leave 0 to 3 pages free;
  fsize: the writer runs with a 5000-byte file-size limit, SIGXFSZ ignored;
both must make the system refuse some writes."""
import os, random, re, resource, signal, struct, subprocess, sys, tempfile, time

writer, kills_wanted, budget = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
mode = sys.argv[4] if len(sys.argv) > 4 else 'plain'
RECORD = 2068
TIME = re.compile(rb'^(0[1-9]|1[0-2]):[0-5][0-9] [AP]M$')
PATH = re.compile(rb'^/sounds/path number [0-9]+\.wav\r\n$')

if mode == 'full' and os.geteuid() != 0:
    # Not root: the tmpfs is mounted in a user and mount namespace of its own.
    ns = ['unshare', '--user', '--map-root-user', '--mount']
    if subprocess.run(ns + ['true'], stderr=subprocess.DEVNULL).returncode != 0:
        print('SKIP: not root and no user namespaces here, the full-disk loop cannot mount its tmpfs')
        sys.exit(0)
    os.execvp(ns[0], ns + [sys.executable] + sys.argv)


def check_record(rec, n):
    if rec == bytes(RECORD):
        return 'cleared'
    time_, date, option, message, armed = rec[:8], struct.unpack('<d', rec[8:16])[0], \
        struct.unpack('<h', rec[16:18])[0], rec[18:2066], struct.unpack('<h', rec[2066:])[0]
    if armed == 0 and time_ == b' ' * 8 and message == b' ' * 2048 and option == 0 and date == 46362.0:
        return 'spent'
    assert armed == -1, 'armed flag %r' % armed
    assert TIME.match(time_), 'time %r' % time_
    text = message.rstrip(b' ')
    m = re.match(rb'^seq ([0-9]+) record ([0-9])$', text)
    assert m and int(m.group(2)) == n, 'message %r' % text[:40]
    seq = int(m.group(1))
    assert date == 46362.0 + seq % 100 and option == seq % 4, 'fields of seq %d' % seq
    return 'armed'


def limits():
    if mode == 'fsize':
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (5000, 5000))


def fill(folder):
    """Leaves 0 to 3 pages free on the tmpfs, written without buffering until ENOSPC."""
    filler = os.path.join(folder, 'filler')
    if os.path.exists(filler):
        os.remove(filler)
    fd = os.open(filler, os.O_WRONLY | os.O_CREAT)
    try:
        while True:
            os.write(fd, bytes(4096))
    except OSError:
        pass
    os.ftruncate(fd, max(0, os.fstat(fd).st_size - random.randint(0, 3) * 4096))
    os.close(fd)


start, kills, refused, size_before = time.time(), 0, 0, 0
random.seed(20261206)
with tempfile.TemporaryDirectory() as folder:
    if mode == 'full':
        subprocess.run(['mount', '-t', 'tmpfs', '-o', 'size=64k', 'tmpfs', folder], check=True)
    try:
        while kills < kills_wanted or (time.time() - start < 5 and kills < 10 * kills_wanted):
            if time.time() - start > budget:
                sys.exit('only %d kills within %.0f s' % (kills, budget))
            if mode == 'full':
                fill(folder)
            proc = subprocess.Popen([writer, folder], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                    preexec_fn=limits)
            time.sleep(random.uniform(0.005, 0.06))
            proc.send_signal(signal.SIGKILL)
            refused += proc.communicate()[1].count(b'refused')
            kills += 1
            path = os.path.join(folder, 'reminders.dat')
            if os.path.exists(path):
                data = open(path, 'rb').read()
                assert len(data) % RECORD == 0 and len(data) <= 3 * RECORD, 'length %d' % len(data)
                assert len(data) >= size_before, 'the file shrank from %d to %d' % (size_before, len(data))
                size_before = len(data)
                for n in range(1, len(data) // RECORD + 1):
                    check_record(data[(n - 1) * RECORD:n * RECORD], n)
            sound = os.path.join(folder, 'audioalarm.dat')
            if os.path.exists(sound):
                content = open(sound, 'rb').read()
                assert PATH.match(content), 'audioalarm.dat holds %r' % content[:60]
    finally:
        if mode == 'full':
            subprocess.run(['umount', folder])
assert mode == 'plain' or refused > 0, 'the system refused no write: the %s loop tested nothing' % mode
print('%s: kills: %d, writes refused: %d, every file whole after each, in %.1f s'
      % (mode, kills, refused, time.time() - start))
