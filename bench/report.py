#!/usr/bin/env python3
"""Turns the benchmark's measurements into docs/performance.md and a small bar chart.
    report.py RESULTS DOCS MACHINE [BASE_REVISION]"""
import subprocess
import sys
from datetime import date

results, docs, machine = sys.argv[1:4]
base = sys.argv[4] if len(sys.argv) > 4 else ''
r = {}
for line in open(results):
    key, value = line.strip().split('=', 1)
    r[key] = [float(v) for v in value.split()]


def verdict(ok):
    return 'met' if ok else '**missed**'


def ms(x):
    return '%.0f ms (%.0f–%.0f)' % tuple(v * 1000 for v in x)


def mb(x):
    return '%.1f / %.1f MB' % (x[0] / 1024, x[1] / 1024)


def cpu(x):
    return '%.3f s, %d switches' % (x[0], x[1])


new, floor = 'chimewright', 'floor'
head = ['What', 'Chimewright', 'Floor'] + (['Before (%s)' % base, 'Now / before'] if base else [])
head += ['Target', '']
rows = [
    ('Launch to tray icon, median (range) of 5 warm runs', ms, 'start', 0,
     '≤ 1.3 × floor', r['start_' + new][0] <= 1.3 * r['start_' + floor][0]),
    ('Memory idle in the tray after 10 s, RSS / PSS', mb, 'mem', 0,
     '≤ floor + 10 MB', r['mem_' + new][0] <= r['mem_' + floor][0] + 10 * 1024),
    ('CPU and context switches over 60 s idle, three armed', cpu, 'cpu', 1,
     '< 0.05 s', r['cpu_' + new][0] < 0.05),
]
md = ['# Performance', '',
      'Measured by `bench/run.sh%s` on %s (%s), Release builds side by side, on a private Xvfb '
      'display with trayer, a PulseAudio null sink and libfaketime. The floor is `bench/floor`: a '
      'Qt 6 program with a hidden window, a tray icon, a media player object and one 5-second '
      'timer.%s' % (' ' + base if base else '', date.today().isoformat(), machine,
                     ' "Before" is the program built from revision %s in the same run.' % base
                     if base else ''), '',
      '| ' + ' | '.join(head) + ' |', '|' + '---|' * len(head)]
for what, form, key, ratio_at, target, ok in rows:
    cells = [what, form(r['%s_%s' % (key, new)]), form(r['%s_%s' % (key, floor)])]
    if base:
        now_, before = r['%s_%s' % (key, new)], r['%s_base' % key]
        cells += [form(before), '%.2f' % (now_[ratio_at] / before[ratio_at] if before[ratio_at]
                                          else float('nan'))]
    md.append('| ' + ' | '.join(cells + [target, verdict(ok)]) + ' |')
for what, key, target, limit in (
        ('Ring latency, first ring after start (cold), median / max of 10', 'ring_cold',
         'max < 1 s', 1),
        ('Ring latency, second ring in the same run (warm), median / max of 10', 'ring_warm',
         'max < 1 s', 1),
        ('Sound heard relative to the box appearing, median / max of 10', 'sound_onset',
         'max < 0.5 s', 0.5)):
    cells = [what, '%+.0f / %+.0f ms' % (r[key][0] * 1000, r[key][2] * 1000), '']
    cells += ['', ''] if base else []
    md.append('| ' + ' | '.join(cells + [target, verdict(r[key][2] < limit)]) + ' |')
md += ['', '![Chimewright against the floor](performance.png)', '', 'How each figure is taken:', '',
       '- Launch to icon: from starting the process until its icon window is embedded in the '
       'tray host\'s panel (polled every 10 ms), after one warm-up run; the programs take turns.',
       '- Memory: VmRSS and Pss (from `/proc/PID/smaps_rollup`) 10 s after start, side by side.',
       '- CPU: user + system time and voluntary + involuntary context switches (the idle wake-ups) '
       'over 60 s; Chimewright has three reminders armed for later that day, so its three timers '
       'and its day watch tick all the while.',
       '- Ring latency: the program starts 4 s before the alarm minute on a faked clock; the '
       'latency runs from the start of the alarm minute to the moment the "Chimewright Personal '
       'Alarm" box is viewable (polled every 10 ms). The warm ring is a second reminder, reached '
       'by moving the faked clock on in the same run.',
       '- Sound: the null sink\'s monitor is recorded with 10 ms blocks from before the alarm; the '
       'first sample louder than 1 % of full scale is compared with the time the box appeared. A '
       'negative figure means the sound was heard first.', '',
       '## Start-up against the floor', '',
       'The floor draws no text, so it never initialises fontconfig; any Qt window that shows text '
       'pays for it (a callgrind profile of the start-up put about 40 % of its instructions in '
       'fontconfig and the first text layout, 23 % in the dynamic linker, and about 4 % in the '
       'program\'s own start-up steps). The window must be shown and painted before the icon is '
       'added, so the gap stays.', '', 'Reproduce with `bench/run.sh [BASE_REVISION]`.']
open(docs + '/performance.md', 'w').write('\n'.join(md) + '\n')

# A bar chart: start-up, RSS and idle CPU, each as a share of the largest of the programs.
names = [(new, '#800080', 'Chimewright')] + ([('base', '#d080d0', 'before')] if base else [])
names += [(floor, '#a0a0a0', 'floor')]
measures = [('Start-up', 'start', 0, 1000, 'ms'), ('RSS', 'mem', 0, 1 / 1024, 'MB'),
            ('CPU / min', 'cpu', 0, 1, 's')]
width, top, bottom = 200 * len(measures) + 60, 40, 250
draw = ['-size', '%dx300' % width, 'xc:white', '-font',
        '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf', '-pointsize', '13', '-fill', 'black',
        '-draw', 'text 20,24 "%s"' % ', '.join(label for _, _, label in names)]
for i, (label, key, at, scale, unit) in enumerate(measures):
    x = 40 + i * 200
    values = [r['%s_%s' % (key, name)][at] for name, _, _ in names]
    peak = max(values) or 1
    for j, (value, (_, colour, _)) in enumerate(zip(values, names)):
        h = int((bottom - top - 20) * value / peak)
        left = x + j * 55
        draw += ['-fill', colour, '-draw', 'rectangle %d,%d %d,%d' % (left, bottom - h, left + 45,
                                                                      bottom)]
        draw += ['-fill', 'black', '-draw',
                 'text %d,%d "%.3g%s"' % (left, bottom - h - 6, value * scale, unit)]
    draw += ['-fill', 'black', '-draw', 'text %d,%d "%s"' % (x + 40, bottom + 25, label)]
subprocess.run(['convert'] + draw + [docs + '/performance.png'], check=True)
