#!/usr/bin/env python3
"""Brings back, one at a time, faults this program once had or could have, and checks that some
test notices each: a place in one file, found by its text (white space outside string literals
ignored, so a reformat keeps it), is replaced; the build brought up to date; the named tests run;
the source restored, also on interruption. Nothing runs unless every change applies exactly once.
    python3 tests/mutation/run.py [BUILD_DIR] [NAME ...]    (MUTATION_LAYER=gui: that fast layer)
"""
import os
import pathlib
import re
import subprocess
import sys
import time

FAST = ["-L", "unit|gui"]
A, R, W = "alarm/alarms.cpp", "alarm/rules.cpp", "app/windowlife.cpp"
E, M, S = "editor/selection.cpp", "editor/mainform.cpp", "app/shutdown.cpp"
P, F, V = "editor/datepicker.cpp", "editor/messagefield.cpp", "alarm/review.cpp"
WATCH = "if (today == m_watchedDay) return; ReminderTable"
BUSY_WATCH = "if (today == m_watchedDay || FileSlot::busy()) return; ReminderTable"
TIMERS = "if (plans[n] == rules::Review::Timer) Timer1[n]->start(saved(n));"
BOXES = ("for (int n = 1; n <= 3 && !m_turns.hasEnded(); ++n) m_turns.run([&, n] { "
         "ReviewReminder(n, file, saved(n), plans[n]); });")
SETTINGS = '"Settings for Reminder%s%%1 has changed. Save new settings?"'
CHANGES = [  # name, file, old text, new text, ctest arguments
    ("buffered write whose failed flush goes unseen", "platform/wholewrite.cpp",
     "out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)", "out.open(QIODevice::WriteOnly)",
     FAST),
    ("a ring spends a record changed since it rang", A,
     "if (!saved.sameArmedMoment(rung)) return; ReminderRecord spent",
     "if (!saved.isArmed()) return; ReminderRecord spent", FAST),
    ("the due test reads the editor's unsaved time", "editor/setalarm.cpp",
     "Reminders(N).AlarmTime = datetime::hhmmAmPm(*typed);",
     "Reminders(N).AlarmTime = datetime::hhmmAmPm(*typed); m_alarms.FollowSavedMessage(N, "
     "Reminders(N));", FAST),
    ("a saved edit accepts a moment that has passed today", R,
     "return (minute < now.time() && day == now.date()) || day < now.date();",
     "return day < now.date();", FAST),
    ("a saved edit and Set Alarm arm a day gone by", R,
     "&& day == now.date()) || day < now.date();", "&& day == now.date());", FAST),
    ("a saved edit skips the passed-moment rule", E,
     "if (rules::passed(*time, day, now)) {", "if (false) {", FAST),
    ("Set Alarm skips the passed-moment rule", "editor/setalarm.cpp",
     "if (rules::passed(*typed, day, now)) {", "if (false) {", FAST),
    ("the start-up review leaves a day gone by armed and untold", R,
     "if (day.isValid() && day < today)", "if (false)", FAST),
    ("the day watch skips a day the machine slept through", R,
     "day == today || ((!since.isValid() || since <= day) && day < today)", "day == today", FAST),
    ("Set Alarm confirmed two midnights after it was pressed never rings", R,
     "since <= day", "since == day", FAST),
    ("an alarm rings a second after its moment", R, "now >= *moment", "now > *moment", FAST),
    ("the everyday notice misses the day before", R,
     "return t < saved.AlarmDate;", "return t + 1 < saved.AlarmDate;", FAST),
    ("the option text of two days loses a letter", "store/reminderrecord.cpp",
     '"Two days before scheduled date"', '"Two day before scheduled date"', FAST),
    ("a failure box after the end keeps the program running", "alarm/turns.cpp",
     "if (!m_ended) m_boxes.MsgBox(", "m_boxes.MsgBox(", FAST),
    ("the status label has a fixed accessible name", M,
     'Label8->setAccessibleDescription(QStringLiteral("Status"));',
     'Label8->setAccessibleName(QStringLiteral("Status"));', FAST),
    ("the summary listing is only drawn", "summary/viewsettings.cpp",
     "setAccessibleDescription(m_lines.join(QLatin1Char('\\n')));", "", FAST),
    ("the minimise hides a window a ring restored", W,
     "m_form.SavePendingChanges(); // An alarm that rang while the save question was open has "
     "restored the window. if (WindowState() != 1) return;", "m_form.SavePendingChanges();", FAST),
    ("showing a damaged unarmed record raises the change flags", E,
     "m_optionClicked = false; DateChanged = dateChanged; TimeChanged = timeChanged; }",
     "m_optionClicked = false; }", FAST),
    ('"Settings for Reminder#N" with one character changed', E,
     SETTINGS % "#", SETTINGS % ":", FAST),
    ('"Settings for Reminder# N" with one character changed', E,
     SETTINGS % "# ", SETTINGS % "#_", FAST),
    ('"Settings for ReminderN" with one character changed', S,
     SETTINGS % "", SETTINGS.replace("Reminder", "reminder") % "", FAST),
    ('"Settings for Reminder N" with one character changed', S,
     '"Settings for Reminder %1 has "', '"Settings for Reminder:%1 has "', FAST),
    ("the log-on entry's Exec leaves $ unquoted", "platform/logonentry.cpp",
     'QStringView(u"\\"`$\\\\")', 'QStringView(u"\\"`\\\\")', FAST),
    ("the missed-alarm box comes after the record is written", V,
     "MsgBox(text, msgbox::kOkOnly); file.write(N, E);",
     "file.write(N, E); MsgBox(text, msgbox::kOkOnly);", FAST),
    ("Set Alarm starts the timer before its record is written", "editor/setalarm.cpp",
     "E.AlarmSet = -1;", "E.AlarmSet = -1; m_alarms.FollowSavedDay(N, E, now.date());", FAST),
    ("a ring whose record cannot be written is not heard", A,
     "failure = e.text(); } } m_host.mPopRestore_Click();",
     "throw; } } m_host.mPopRestore_Click();", FAST),
    ("a session save request ends the program", S,
     "m_logon.SyncLogonEntry(false); } // No questions.",
     "m_logon.SyncLogonEntry(false); EndSession(); } // No questions.", FAST),
    ("a date typed part by part is refused on its way through days before the earliest day", P,
     "m_typing = true; applyFloor();", "m_typing = true;", FAST),
    ("a finished typed date before the earliest day is kept", P,
     "if (date() != m_shownPast) m_shownPast = {}; applyFloor();",
     "if (date() != m_shownPast) m_shownPast = {};", FAST),
    ('a "/" after a filled part of the date skips the next part', P,
     'if (text == QLatin1String("/") && m_advanced) {', "if (false) {", FAST),
    ("a click into the date leaves digits typed there refused", P,
     "if (!lineEdit()->hasSelectedText()) setSelectedSection(currentSection());", "", FAST),
    ("the date's year is cut off beside the calendar button", M,
     "twips(1440, 840, 1320, 375)", "twips(1560, 840, 1200, 375)", FAST),
    ("the picker's earliest day does not follow a new day", E,
     "DTPicker1->setEarliest(today); if (shown", "if (shown", FAST),
    ("an unarmed reminder's day stays on the day before at a new day", E,
     "DTPicker1->setValue(today); DateChanged", "DateChanged", FAST),
    ("a new day moves an armed reminder's saved day, or a day the user chose", E,
     "if (shown < today && !savedDay && !chosen)", "if (shown < today)", FAST),
    ("a new day raises a change flag", E,
     "DateChanged = dateChanged; TimeChanged = timeChanged; } void mainform::Text1_",
     "} void mainform::Text1_", FAST),
    ("the message field holds more than the record keeps", F, "if (room < 0) break;", "", FAST),
    ("the message field shows a character the file cannot hold", F,
     "(c.isSurrogate() || !codepage::holds(c))", "(c.isSurrogate())", FAST),
    ("a line break in the message counts as one character, though stored as CR LF", F,
     "room -= isBreak(c) ? 2 : 1;", "room -= 1;", FAST),
    ("the log-on entry shows no icon", "platform/logonentry.cpp", '"Icon=%2\\n"', "", FAST),
    ("tools/uninstall leaves the log-on entry of a folder named with a $", "tools/uninstall",
     " q=${q//\\$/\\\\\\$}", "", ["-R", "^e2e\\.setalarm$"]),
    ("the close box ends the program without a notification area", W,
     "&& m_windowState != 1;", "&& m_windowState != 1 && hasNotificationArea();", FAST),
    ("a named pipe in a data file's place is read as an empty file", "platform/regularfile.cpp",
     "if (!S_ISREG(st.st_mode)) {", "if (S_ISDIR(st.st_mode)) {", FAST),
    ("the day watch waits for a handler that holds the file", A, WATCH, BUSY_WATCH, FAST),
    ("the day watch rings again a moment that rang", A,
     "&& !Rang(n, saved(n)))", ")", FAST),
    ("a ring whose spend could not be written rings again when the clock comes back", A,
     "m_rang.append({Index, rung});", "", FAST),
    ("the day watch arms an alarm the review tells missed", V,
     "m_rang.append({n, saved(n)});", "{}", FAST),
    ("a moment that rang, saved again after the clock went back, never rings", A,
     "m_rang.removeIf([n](const QPair<int, ReminderRecord>& r) { return r.first == n; });", "",
     FAST),
    ("the review's boxes come before today's timers", V, TIMERS + " } m_watchedDay = now.date(); "
     "// A signal to end the program may come while a box of the review waits. " + BOXES,
     "} m_watchedDay = now.date(); " + BOXES + " for (int n = 1; n <= 3; ++n) " + TIMERS, FAST),
    ("a failed start-up review keeps the day watch from the file all day", V,
     "m_watchReportedDay = now.date();", "m_watchedDay = now.date();", FAST),
    ("one unreadable file at start is told in three boxes", "app/startup.cpp",
     "if (e.text() != std::exchange(told, e.text()))", "if (true)", FAST),
    ("a window a ring brings up during start-up is never filled", E,
     "if (CurrentReminder != 0) return; Reminders(n) = spent;",
     "if (true) return; Reminders(n) = spent;", FAST),
    ("a ring drops an unsaved edit of another reminder", E,
     "if (CurrentReminder == n || !EditorHoldsEdit()) {", "if (true) {", FAST),
    ("a ring drops an unsaved message of another reminder", E,
     "trimBlanks(Text2Text()) != shownText(saved.Message)", "false", FAST),
    ("a ring drops an unsaved option of another reminder", E,
     "(m_optionClicked && SelectedOption() != saved.AdvanceOption)", "false", FAST),
    ("an alarm that rang inside the exit's first warning warns again", S,
     "if (E.AlarmSet != -1 || rung)", "if (E.AlarmSet != -1)", FAST),
    ("closing a second ring box stops the sound of the first", A,
     "if (--m_ringBoxes == 0 && std::exchange(", "if (--m_ringBoxes >= 0 && std::exchange(", FAST),
    ("a minimise during a question opens the file a second time", W,
     "if (m_turns.mayTouchFileNow()) Form_Resize();", "if (true) Form_Resize();", FAST),
    ("an unplayable sound leaves the alarm silent", A,
     "played = PlayMelody();", "played = false;", FAST),
    ("an open summary stays as it was drawn", "app/startup.cpp",
     "open->Form_Activate();", "open->update();", FAST),
    ("the session's end leaves a rung alarm to be reported missed", S,
     "m_alarms.WritePendingRecords(); try {", "try {", FAST),
    ("the display's end leaves a rung alarm to be reported missed", "app/main.cpp",
     "std::atexit(writePendingAtExit);", "", ["-R", "^e2e\\.a11y$"]),
    ("an unplayable sound leaves the alarm silent: the real player", A,
     "played = PlayMelody();", "played = false;", ["-R", "^e2e\\.hostile$"]),
    ("the day watch waits for a handler that holds the file: the real program", A, WATCH,
     BUSY_WATCH, ["-R", "^e2e\\.moveday$"]),
    ("a minimise during a question opens the file a second time: under a window manager", W,
     "if (m_turns.mayTouchFileNow()) Form_Resize();", "if (true) Form_Resize();",
     ["-R", "^e2e\\.moveday$"]),
    ("SIGXFSZ kills the program in the middle of a write", "app/main.cpp",
     "std::signal(SIGXFSZ, SIG_IGN);", "", ["-R", "^fault\\.fsize$"]),
]


def place(old):
    """The old text as a pattern: string literals exact, white space elsewhere free."""
    tokens = re.findall(r'"(?:[^"\\\n]|\\.)*"?|\S', old)
    return re.compile(r"\s*".join(re.escape(t) for t in tokens))


root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
args = sys.argv[1:]
build = os.path.abspath(args.pop(0)) if args and os.sep in args[0] else \
    os.path.join(root, "build", "mutation")
layer = os.environ.get("MUTATION_LAYER")
changes = [c for c in CHANGES if (not args or c[0] in args) and (not layer or c[4] is FAST)]
source = lambda file: pathlib.Path(root, file).read_text(encoding="utf-8")
wrong = [f"{name} ({file}: found {len(place(old).findall(source(file)))} times)"
         for name, file, old, _, _ in changes if len(place(old).findall(source(file))) != 1]
if wrong:
    sys.exit("These changes do not apply exactly once:\n  " + "\n  ".join(wrong))
os.makedirs(build, exist_ok=True)
log = open(os.path.join(build, "mutation.log"), "w")
sh = lambda *cmd, cwd=root: subprocess.run(cmd, cwd=cwd, stdout=log,
                                           stderr=subprocess.STDOUT).returncode
if sh("cmake", "-S", root, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug") or \
        sh("cmake", "--build", build):
    sys.exit("the unchanged program does not build: see " + log.name)
started, failed = time.monotonic(), []
for name, file, old, new, tests in changes:
    tests = ["-L", layer] if layer else tests
    path, t0 = pathlib.Path(root, file), time.monotonic()
    original = path.read_text(encoding="utf-8")
    try:
        path.write_text(place(old).sub(lambda _: new, original), encoding="utf-8")
        verdict = ("caught (does not build)" if sh("cmake", "--build", build) else
                   "caught" if sh("ctest", "-j2", "--output-on-failure", *tests, cwd=build) else
                   "MISSED")
    finally:
        path.write_text(original, encoding="utf-8")
    failed += [] if verdict.startswith("caught") else [name]
    print(f"{verdict:>8}  {name}  [{' '.join(tests)}]  {time.monotonic() - t0:.0f} s", flush=True)
sh("cmake", "--build", build)
print(f"{len(changes) - len(failed)} of {len(changes)} changes caught in "
      f"{time.monotonic() - started:.0f} s" + (f"; missed: {', '.join(failed)}" if failed else ""))
sys.exit(1 if failed else 0)
