#!/usr/bin/env python3
"""Brings back, one at a time, faults this program once had or was shown to have, and checks that some
test notices each: one exact text (found exactly once) in one file is replaced, the build brought up to
date, the named tests run, and the source restored, also on interruption.
    python3 tests/mutation/run.py [BUILD_DIR] [NAME ...]    (MUTATION_LAYER=gui: that fast layer only)
"""
import os, pathlib, subprocess, sys, time

FAST = ["-L", "unit|gui"]
R, E, S, M, T = "alarm/ringing.cpp", "editor/selection.cpp", "app/shutdown.cpp", "editor/mainform.cpp", "app/tray.cpp"
P, F = "editor/datepicker.cpp", "editor/messagefield.cpp"
U = "app/startup.cpp"
WATCH = "    if (today == m_watchedDay)\n        return;\n    ReminderTable"
BUSY_WATCH = WATCH.replace("m_watchedDay)", "m_watchedDay || FileSlot::busy())")
TIMERS = ("        for (int n = 1; n <= 3; ++n) {\n"
          "            if (plans[n] == alarmtexts::Review::Timer)\n"
          "                Timer1[n]->start(Reminders(n));\n        }\n")
WATCH_START = "        m_watchedDay = now.date();\n        m_dayWatch->start();\n"
BOXES = ("        // A signal to end the program may come while a box of the review waits.\n"
         "        for (int n = 1; n <= 3 && !m_ended; ++n)\n"
         "            guarded([this, n, &file, &plans] { ReviewReminder(n, file, plans[n]); });\n")
CHANGES = [  # name, file, old text, new text, ctest arguments
    ("buffered write whose failed flush goes unseen", "platform/wholewrite.cpp",
     "out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)", "out.open(QIODevice::WriteOnly)", FAST),
    ("a ring spends a record changed since it rang", R,
     "if (!saved.sameArmedMoment(rung))\n            return;",
     "if (!saved.isArmed())\n            return;", FAST),
    ("the due test reads the editor's unsaved time", R,
     "const ReminderRecord rung = Timer1[Index]->armed();", "const ReminderRecord rung = Reminders(Index);", FAST),
    ("a saved edit accepts a moment that has passed today", E,
     "if ((QTime(time->hour(), time->minute()) < now.time() && day == now.date()) ||", "if (false ||", FAST),
    ("a saved edit arms a day gone by", E,
     "day == now.date()) || day < now.date()) {", "day == now.date())) {", FAST),
    ("Set Alarm arms a day gone by", "editor/setalarm.cpp", " || day < now.date()) {", ") {", FAST),
    ("the start-up review leaves a day gone by armed and untold", "alarm/alarmtexts.cpp",
     "    if (day.isValid() && day < today)\n", "    if (false)\n", FAST),
    ("the day watch skips a day the machine slept through", R,
     "(day == today || (day > m_watchedDay && day < today))", "day == today", FAST),
    ("Set Alarm confirmed two midnights after it was pressed never rings", E,
     "(askedOn <= day && day < today)", "(askedOn == day && day < today)", FAST),
    ("a failure box after the end keeps the program running", M,
     "    if (m_ended)\n        return;\n    MsgBox(text, msgbox::kOkOnly", "    MsgBox(text, msgbox::kOkOnly", FAST),
    ("the status label has a fixed accessible name", M, 'Label8->setAccessibleDescription(QStringLiteral("Status"));',
     'Label8->setAccessibleName(QStringLiteral("Status"));', FAST),
    ("the summary listing is only drawn", "summary/viewsettings.cpp",
     "setAccessibleDescription(m_lines.join(QLatin1Char('\\n')));", "", FAST),
    ("the minimise hides a window a ring restored", T, "    SavePendingChanges();\n    // An alarm that rang while the"
     " save question was open has restored the window.\n    if (WindowState() != 1)\n        return;\n",
     "    SavePendingChanges();\n", FAST),
    ("showing a damaged unarmed record raises the change flags", E,
     "    DateChanged = dateChanged;\n    TimeChanged = timeChanged;\n}", "}", FAST),
    ('"Settings for Reminder#N" with one character changed', E,
     '"Settings for Reminder#%1 has', '"Settings for Reminder:%1 has', FAST),
    ('"Settings for Reminder# N" with one character changed', E,
     '"Settings for Reminder# %1 has', '"Settings for Reminder#_%1 has', FAST),
    ('"Settings for ReminderN" with one character changed', S,
     '"Settings for Reminder%1 has', '"Settings for reminder%1 has', FAST),
    ('"Settings for Reminder N" with one character changed', S,
     '"Settings for Reminder %1 has', '"Settings for Reminder:%1 has', FAST),
    ("the log-on entry's Exec leaves $ unquoted", "platform/logonentry.cpp", " || c == QLatin1Char('$')", "", FAST),
    ("the missed-alarm box comes after the record is written", "alarm/review.cpp",
     "    MsgBox(text, msgbox::kOkOnly);\n    file.write(N, E);\n",
     "    file.write(N, E);\n    MsgBox(text, msgbox::kOkOnly);\n", FAST),
    ("Set Alarm starts the timer before its record is written", "editor/setalarm.cpp",
     "    ReminderRecord E = Reminders(N);\n", "    ReminderRecord E = Reminders(N);\n    Timer1[N]->start(E);\n", FAST),
    ("a ring whose record cannot be written is not heard", R, "            failure = e.text();\n        }\n    }\n"
     "    mPopRestore_Click();", "            throw;\n        }\n    }\n    mPopRestore_Click();", FAST),
    ("a session save request ends the program", S,
     "    SyncLogonEntry(false);\n}\n", "    SyncLogonEntry(false);\n    EndSession();\n}\n", FAST),
    ("a date typed part by part is refused on its way through days before the earliest day", P,
     "            m_typing = true;\n            applyFloor();\n", "            m_typing = true;\n", FAST),
    ("a finished typed date before the earliest day is kept", P,
     "    if (date() != m_shownPast)\n        m_shownPast = {};\n    applyFloor();\n",
     "    if (date() != m_shownPast)\n        m_shownPast = {};\n", FAST),
    ('a "/" after a filled part of the date skips the next part', P,
     'if (text == QLatin1String("/") && m_advanced) {', "if (false) {", FAST),
    ("a click into the date leaves digits typed there refused", P,
     "        if (!lineEdit()->hasSelectedText())\n            setSelectedSection(currentSection());\n", "", FAST),
    ("the date's year is cut off beside the calendar button", M,
     "twips(1440, 840, 1320, 375)", "twips(1560, 840, 1200, 375)", FAST),
    ("the picker's earliest day does not follow a new day", E,
     "    DTPicker1->setEarliest(today);\n    if (shown", "    if (shown", FAST),
    ("an unarmed reminder's day stays on the day before at a new day", E,
     "        DTPicker1->setValue(today);\n    DateChanged", "    DateChanged", FAST),
    ("a new day moves an armed reminder's saved day, or a day the user chose", E,
     "if (shown < today && !savedDay && !chosen)", "if (shown < today)", FAST),
    ("a new day raises a change flag", E,
     "    DateChanged = dateChanged;\n    TimeChanged = timeChanged;\n}\n\nvoid mainform::Text1_",
     "}\n\nvoid mainform::Text1_", FAST),
    ("the message field holds more than the record keeps", F,
     "        if (room < 0)\n            break;\n", "", FAST),
    ("the message field shows a character the file cannot hold", F,
     "(c.isSurrogate() || !codepage::holds(c))", "(c.isSurrogate())", FAST),
    ("a line break in the message counts as one character, though stored as CR LF", F,
     "room -= isBreak(c) ? 2 : 1;", "room -= 1;", FAST),
    ("the log-on entry shows no icon", "platform/logonentry.cpp", '               "Icon=%2\\n"\n', "", FAST),
    ("tools/uninstall leaves the log-on entry of a folder named with a $", "tools/uninstall",
     " q=${q//\\$/\\\\\\$}", "", ["-R", "^e2e\\.setalarm$"]),
    ("the close box ends the program without a notification area", S,
     "    return !minimised;\n}", "    return !minimised && hasNotificationArea();\n}", FAST),
    ("a named pipe in a data file's place is read as an empty file", "platform/regularfile.cpp",
     "    if (!S_ISREG(st.st_mode)) {", "    if (S_ISDIR(st.st_mode)) {", FAST),
    ("the day watch waits for a handler that holds the file", R, WATCH, BUSY_WATCH, FAST),
    ("the day watch rings again a moment whose spend waits for a box", R,
     " &&\n            !RungUnspent(n, saved(n)))", ")", FAST),
    ("the review's boxes come before today's timers and the day watch start", U,
     TIMERS + WATCH_START + BOXES, BOXES + TIMERS + WATCH_START, FAST),
    ("a failed start-up review keeps the day watch from the file all day", U,
     "        m_watchReportedDay = today;\n", "        m_watchedDay = today;\n", FAST),
    ("one unreadable file at start is told in three boxes", U,
     "                if (e.text() == told)\n", "                if (false)\n", FAST),
    ("a window a ring brings up during start-up is never filled", R,
     "        if (CurrentReminder == 0) {\n", "        if (false) {\n", FAST),
    ("a ring drops an unsaved edit of another reminder", R,
     "    if (CurrentReminder == Index || !EditorHoldsEdit())\n", "    if (true)\n", FAST),
    ("a ring drops an unsaved message of another reminder", E,
     "trimBlanks(Text2Text()) != shownText(saved.Message)", "false", FAST),
    ("a ring drops an unsaved option of another reminder", E,
     "(m_optionClicked && SelectedOption() != saved.AdvanceOption)", "false", FAST),
    ("an alarm that rang inside the exit's first warning warns again", S,
     "if (Reminders(I).AlarmSet != -1 || rung)", "if (Reminders(I).AlarmSet != -1)", FAST),
    ("closing a second ring box stops the sound of the first", R,
     "if (--m_ringBoxes == 0 && std::exchange(", "if (--m_ringBoxes >= 0 && std::exchange(", FAST),
    ("a minimise during a question opens the file a second time", M,
     "                if (FileSlot::busy())\n", "                if (false)\n", FAST),
    ("an unplayable sound leaves the alarm silent", R,
     "        played = PlayMelody();", "        played = false;", FAST),
    ("an open summary stays as it was drawn", "editor/commands.cpp",
     "        open->Form_Activate();\n", "        open->update();\n", FAST),
    ("the session's end leaves a rung alarm to be reported missed", S,
     "    WritePendingRecords();\n    if (!FileSlot", "    if (!FileSlot", FAST),
    ("the display's end leaves a rung alarm to be reported missed", "app/main.cpp",
     "    std::atexit(writePendingAtExit);\n", "", ["-R", "^e2e\\.a11y$"]),
    ("an unplayable sound leaves the alarm silent: the real player", R,
     "        played = PlayMelody();", "        played = false;", ["-R", "^e2e\\.hostile$"]),
    ("the day watch waits for a handler that holds the file: the real program", R, WATCH,
     BUSY_WATCH, ["-R", "^e2e\\.moveday$"]),
    ("a minimise during a question opens the file a second time: under a window manager", M,
     "                if (FileSlot::busy())\n", "                if (false)\n",
     ["-R", "^e2e\\.moveday$"]),
    ("SIGXFSZ kills the program in the middle of a write", "app/main.cpp",
     "    std::signal(SIGXFSZ, SIG_IGN);\n", "", ["-R", "^fault\\.fsize$"]),
]

root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
args = sys.argv[1:]
build = os.path.abspath(args.pop(0)) if args and os.sep in args[0] else os.path.join(root, "build", "mutation")
os.makedirs(build, exist_ok=True)
log = open(os.path.join(build, "mutation.log"), "w")
sh = lambda *cmd, cwd=root: subprocess.run(cmd, cwd=cwd, stdout=log, stderr=subprocess.STDOUT).returncode
if sh("cmake", "-S", root, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug") or sh("cmake", "--build", build):
    sys.exit("the unchanged program does not build: see " + log.name)
layer = os.environ.get("MUTATION_LAYER")
changes = [c for c in CHANGES if (not args or c[0] in args) and (not layer or c[4] is FAST)]
started, failed = time.monotonic(), []
for name, file, old, new, tests in changes:
    tests, path, t0 = (["-L", layer] if layer else tests), pathlib.Path(root, file), time.monotonic()
    original = path.read_text(encoding="utf-8")
    verdict = "NOT APPLICABLE (the text is not in the file exactly once)"
    if original.count(old) == 1:
        try:
            path.write_text(original.replace(old, new), encoding="utf-8")
            verdict = ("caught (does not build)" if sh("cmake", "--build", build) else
                       "caught" if sh("ctest", "-j2", "--output-on-failure", *tests, cwd=build) else "MISSED")
        finally:
            path.write_text(original, encoding="utf-8")
    failed += [] if verdict.startswith("caught") else [name]
    print(f"{verdict:>8}  {name}  [{' '.join(tests)}]  {time.monotonic() - t0:.0f} s", flush=True)
sh("cmake", "--build", build)
print(f"{len(changes) - len(failed)} of {len(changes)} changes caught in {time.monotonic() - started:.0f} s"
      + (f"; missed or not applicable: {', '.join(failed)}" if failed else ""))
sys.exit(1 if failed else 0)
