// The main window's layout, start-up, the tray and the summary window.
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include "alarm/alarmtimer.h"
#include "editor/datepicker.h"
#include "summary/viewsettings.h"
#include "tests/support/desk.h"

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void textsAndAccessibility();
    void tabOrderAndMenus();
    void startupWithoutFiles();
    void showsEachRecordKind();
    void optionAvailability();
    void damagedUnarmedRecordIsNotAnEdit();
    void secondCopyEndsBeforeTouchingAnything();
    void startupFailureStillReachesTheTray();
    void trayEventsAndMinimise();
    void withoutNotificationAreaTheWindowStaysReachable();
    void ringDuringTheMinimiseQuestionKeepsTheWindow();
    void summaryListingIsFreshAndNotDoubled();
    void helpStartsTheViewer();
};

// What users read and a screen reader hears; layout and colours are left to the form.
void WindowTest::textsAndAccessibility()
{
    Desk desk;
    mainform form(desk.services);
    struct Row { QString shown; const char* expected; };
    const QList<Row> rows{
        {form.windowTitle(), "Chimewright"},
        {form.Text1->toolTip(), "Input a valid time. e.g. 1am, 2:25 PM, 10:59, 23:10 "},
        {form.Label2->toolTip(), "Input a valid time. e.g. 1 AM, 2:25pm, 10:59, 23:10 "},
        {form.Frame1->title(), "Additional Setting: Also display message:"},
        {form.Option3->text(), "Everyday until the scheduled date"},
        {form.Label1->text(), "Reminder #1"},
        {form.Text1->accessibleName(), "Alarm time"},
        {form.DTPicker1->accessibleName(), "MM/DD/YY"},
        {form.Text2->accessibleName(), "Message that will appear when alarm runs:"},
        {form.Option2->accessibleName(), "Two days before scheduled date"},
        {form.mPopupSys->title(), "&SysTray"},
        {form.menuBar->actions().last()->text(), "&Help"}};
    for (const Row& row : rows)
        QCOMPARE(row.shown, QString::fromUtf8(row.expected));
    QCOMPARE(form.DTPicker1->toolTip(), form.Label5->toolTip());
    QVERIFY(form.DTPicker1->toolTip().endsWith(QLatin1String("selecting a date")));
    QCOMPARE(form.Text3->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")).size(), 145);
    QVERIFY(form.Label4->text().endsWith(QLatin1String("after system startup on the spe" "cified day(s).")));
    // What a screen reader hears: the status caption itself, and the main window as a titled window.
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(form.Label8);
    for (const QString& caption : {QStringLiteral("Alarm not set."), QStringLiteral("Alarm is set.")}) {
        form.Label8->setText(caption);
        QCOMPARE(status->text(QAccessible::Name), caption);
        form.Label8->adjustSize();
        QVERIFY(form.Label8->width() > 7);  // the caption is not clipped away
    }
    QCOMPARE(status->text(QAccessible::Description), QStringLiteral("Status"));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Chimewright"));
}

void WindowTest::tabOrderAndMenus()
{
    Desk desk;
    mainform form(desk.services);
    const QList<QWidget*> expected{form.Text2, form.DTPicker1, form.Option1, form.Option2, form.Option3,
                                   form.Option0, form.Text3, form.Command2, form.Command1, form.Text1};
    // The focus chain also holds the inner parts of composite widgets: keep the controls.
    QList<QWidget*> chain{form.Text2};
    for (QWidget* w = form.Text2->nextInFocusChain(); w != form.Text2 && chain.size() < 10; w = w->nextInFocusChain())
        if (expected.contains(w) && !chain.contains(w))
            chain << w;
    QCOMPARE(chain, expected);

    QStringList visible;
    for (QAction* a : form.filemnu->actions())
        if (a->isVisible())
            visible << a->text();
    QCOMPARE(visible, (QStringList{"Reminder #&1", "Reminder #&2", "Reminder #&3", "&View all Settings",
                                   "Set &Audio File...", "E&xit"}));
    QCOMPARE(form.mPopupSys->actions().size(), 3);
}

void WindowTest::startupWithoutFiles()
{
    Desk desk;
    QVERIFY(desk.start());
    QVERIFY(QFile::exists(desk.file()));
    QCOMPARE(QFile(desk.file()).size(), 0);
    QVERIFY(desk.boxes.shown.isEmpty());
    QCOMPARE(desk.form->DTPicker1->value(), desk.today());
    QCOMPARE(desk.form->DTPicker1->minimumDate(), desk.today());
    QCOMPARE(desk.form->Label8->text(), QStringLiteral("Alarm not set."));
    QCOMPARE(desk.tray.adds, 1);
    QCOMPARE(desk.tray.tip, QStringLiteral("Chimewright"));
    QVERIFY(!desk.form->isVisible());
    QCOMPARE(desk.form->WindowState(), 1);
    QCOMPARE(desk.form->MediaPlayer1.fileName(), QStringLiteral("odetojoy.mid"));
    QCOMPARE(desk.form->DateChanged + desk.form->TimeChanged, 0);
}

void WindowTest::showsEachRecordKind()
{
    Desk desk;
    desk.put(1, armedRecord(desk.today().addDays(3), "02:25 PM", 2, "Buy milk"));
    ReminderRecord spent = armedRecord(desk.today(), "02:25 PM", 1, "x");
    spent.makeSpent();
    desk.put(2, spent);
    QByteArray garbage(2068, '\x7F');
    garbage[2066] = '\xFF';
    garbage[2067] = '\xFF';
    garbage.replace(8, 8, QByteArray(8, '\xFF'));  // NaN date
    QFile f(desk.file());
    QVERIFY(f.open(QIODevice::Append));
    f.write(garbage);
    f.close();
    QVERIFY(desk.start());
    mainform& form = *desk.form;
    QCOMPARE(form.Text1->text(), QStringLiteral("02:25 PM"));
    QCOMPARE(form.DTPicker1->value(), desk.today().addDays(3));
    QVERIFY(form.Option2->isChecked());
    QCOMPARE(form.Text2Text(), QStringLiteral("Buy milk"));
    QCOMPARE(form.Label8->text(), QStringLiteral("Alarm is set."));

    desk.run([&] { form.filemnurem2_Click(); });
    QCOMPARE(form.Label1->text(), QStringLiteral("Reminder #2"));
    QCOMPARE(form.Text1->text(), QString());
    QCOMPARE(form.Text2Text(), QString());
    QVERIFY(form.Option0->isChecked());
    QCOMPARE(form.DTPicker1->value(), desk.today());

    desk.run([&] { form.filemnurem3_Click(); });
    QCOMPARE(form.CurrentReminder, 3);
    QCOMPARE(form.DTPicker1->value(), desk.today());  // an unusable day shows today
    QCOMPARE(form.Label8->text(), QStringLiteral("Alarm is set."));
    QCOMPARE(fileBytes(desk.file()).mid(4136), garbage);  // left as it is
    QCOMPARE(form.DateChanged + form.TimeChanged, 0);
}

void WindowTest::optionAvailability()
{
    Desk desk;
    QVERIFY(desk.start());
    mainform& form = *desk.form;
    form.DTPicker1->setValue(desk.today().addDays(2));
    QVERIFY(form.Option1->isEnabled() && form.Option2->isEnabled() && form.Option3->isEnabled());
    form.Option3->setChecked(true);
    form.DTPicker1->setValue(desk.today().addDays(1));
    QVERIFY(form.Option0->isChecked());
    QVERIFY(form.Option1->isEnabled() && !form.Option2->isEnabled() && !form.Option3->isEnabled());
    form.Option1->setChecked(true);
    form.DTPicker1->setValue(desk.today().addDays(5));
    QVERIFY(form.Option1->isChecked());
    form.DTPicker1->setValue(desk.today());
    QVERIFY(form.Option0->isChecked() && !form.Option1->isEnabled());
    QVERIFY(form.Option0->isEnabled());
}

void WindowTest::damagedUnarmedRecordIsNotAnEdit()
{
    Desk desk;
    QFile f(desk.file());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");  // a time field that is neither a time nor blank, in a record that is not armed
    f.close();
    QVERIFY(desk.start());  // no question at start or when withdrawing
    QCOMPARE(desk.form->TimeChanged + desk.form->DateChanged, 0);
    desk.run([&] { desk.form->filemnurem2_Click(); });
}

void WindowTest::secondCopyEndsBeforeTouchingAnything()
{
    Desk desk;
    desk.instance.free = false;
    QVERIFY(!desk.start());
    QVERIFY(!QFile::exists(desk.file()));
    QCOMPARE(desk.tray.adds, 0);
    QVERIFY(!desk.form->isVisible());
    QVERIFY(desk.boxes.shown.isEmpty());
}

void WindowTest::startupFailureStillReachesTheTray()
{
    Desk desk;
    QDir().mkdir(desk.file());
    for (int i = 0; i < 3; ++i)  // the review, showing reminder 1, and withdrawing to the tray
        desk.boxes.expect(msgbox::kOk);
    QVERIFY(desk.start());
    for (const ShownBox& box : desk.boxes.shown) {
        QCOMPARE(box.text, QStringLiteral("Could not open reminders.dat: it is a folder, not a file"));
        QCOMPARE(box.title, QStringLiteral("Chimewright"));
    }
    QCOMPARE(desk.tray.adds, 1);
}

void WindowTest::trayEventsAndMinimise()
{
    Desk desk;
    QVERIFY(desk.start());
    mainform& form = *desk.form;
    QVERIFY(!form.isMinimized());
    desk.tray.click(512);  // plain mouse movement
    QVERIFY(!form.isVisible());
    // The right click's menu: shown by the notification area it was handed to, else
    // popped here, never both.
    QCOMPARE(desk.tray.menu, form.mPopupSys);
    for (bool areaShowsMenu : {true, false}) {
        desk.tray.areaShowsMenu = areaShowsMenu;
        desk.tray.click(517);
        QCOMPARE(form.mPopupSys->isVisible(), !areaShowsMenu);
        form.mPopupSys->hide();
    }
    desk.tray.click(514);
    QVERIFY(form.isVisible());
    QCOMPARE(form.WindowState(), 0);
    desk.run([&] { form.SetWindowState(1); });
    QVERIFY(!form.isVisible());
    // The program's own minimise withdraws without asking for an iconic window,
    // which a window manager would still hold on the next restore.
    QVERIFY(!form.isMinimized());
    desk.tray.click(515);
    QVERIFY(form.isVisible());

    // The window manager's minimise button withdraws to the tray; its late answers
    // about the hidden window change nothing, and one click brings it back whole.
    form.setWindowState(form.windowState() | Qt::WindowMinimized);
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(form.WindowState(), 1);
    form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
    form.setWindowState(form.windowState() | Qt::WindowMinimized);
    QCOMPARE(form.WindowState(), 1);
    desk.tray.click(514);
    QVERIFY(form.isVisible() && !form.isMinimized());
    QCOMPARE(form.WindowState(), 0);
    QTest::qWait(20);  // nothing queued hides it again
    QVERIFY(form.isVisible());

    // A left click closes the summary window opened by Details; Restore leaves it open.
    desk.run([&] { form.mPopDetails_Click(); });
    QVERIFY(form.summaryWindow() != nullptr);
    desk.run([&] { form.mPopRestore_Click(); });
    QVERIFY(form.summaryWindow() != nullptr);
    desk.tray.click(514);
    QTRY_VERIFY(form.summaryWindow() == nullptr);
}

void WindowTest::withoutNotificationAreaTheWindowStaysReachable()
{
    Desk desk;
    desk.tray.available = false;
    QVERIFY(desk.start());
    mainform& form = *desk.form;
    QVERIFY(form.isVisible());
    QVERIFY(form.isMinimized());
    // Restored and minimised again from the task bar, it stays there.
    form.setWindowState(Qt::WindowNoState);
    QCOMPARE(form.WindowState(), 0);
    form.setWindowState(Qt::WindowMinimized);
    QTest::qWait(20);
    QVERIFY(form.isVisible() && form.isMinimized());
    QCOMPARE(form.WindowState(), 1);
    // A notification area that comes later: its icon brings the window up.
    desk.tray.available = true;
    desk.tray.click(514);
    QVERIFY(form.isVisible() && !form.isMinimized());
    QCOMPARE(form.WindowState(), 0);
}

// The ring restores the window while the minimise's save question is open; the
// minimise that asked must not hide it afterwards.
void WindowTest::ringDuringTheMinimiseQuestionKeepsTheWindow()
{
    Desk desk(QDate(2026, 12, 6), QTime(8, 59, 0));
    desk.put(2, armedRecord(desk.today(), "09:00 AM", 0, "rings"));
    QVERIFY(desk.start());
    mainform& form = *desk.form;
    desk.tray.click(514);
    form.Text1->setText("3pm");
    bool shownWhileRinging = false;
    desk.boxes.onShow = [&](const ShownBox& box) {
        if (box.title == QLatin1String("Chimewright Personal Alarm"))
            shownWhileRinging = form.isVisible();
        if (box.text.startsWith(QLatin1String("Settings for Reminder# 1"))) {
            desk.clock.set(desk.today(), QTime(9, 0, 0));
            form.guarded([&] { form.Timer1_Timer(2); });
        }
    };
    desk.boxes.expect(msgbox::kOk);      // the ring
    desk.boxes.expect(msgbox::kCancel);  // the save question
    desk.run([&] { form.SetWindowState(1); });
    QVERIFY(shownWhileRinging);
    QCOMPARE(desk.saved(2).AlarmSet, 0);
    QVERIFY(form.isVisible() && !form.isMinimized());
    QCOMPARE(form.WindowState(), 0);
    QCOMPARE(form.CurrentReminder, 2);  // showing the rung reminder
}

void WindowTest::summaryListingIsFreshAndNotDoubled()
{
    Desk desk;
    desk.put(1, armedRecord(QDate(2026, 12, 9), "02:25 PM", 1, "   Buy milk"));
    QVERIFY(desk.start());
    auto* view = new viewsettings(desk.services);
    QCOMPARE(view->windowTitle(), QStringLiteral("Chimewright Alarm Settings"));
    QCOMPARE(view->OKButton->text(), QStringLiteral("Ok"));
    view->Form_Activate();
    const QStringList first = view->listing();
    QCOMPARE(first.mid(0, 5), (QStringList{"Reminder# 1 is set.", "Alarm Date: 12/9/2026", "Alarm Time: 02:25 PM",
                                           "Also ring alarm: One day before scheduled date.",
                                           "Message(first few words): Buy milk"}));
    QCOMPARE(first.size(), 13);
    // Edits not saved do not show; a second activation draws afresh, not below.
    desk.form->SetText2Text(QStringLiteral("changed"));
    view->Form_Activate();
    QCOMPARE(view->listing(), first);
    desk.put(2, armedRecord(QDate(2026, 12, 9), "09:00 AM"));
    view->Form_Activate();
    QCOMPARE(view->listing()[7], QStringLiteral("Reminder# 2 is set."));
    // The painted lines reach a screen reader, refreshed with each listing.
    QCOMPARE(QAccessible::queryAccessibleInterface(view)->text(QAccessible::Description),
             view->listing().join(QLatin1Char('\n')));
    QPointer<viewsettings> guard(view);
    view->OKButton->click();
    QTRY_VERIFY(guard.isNull());
}

void WindowTest::helpStartsTheViewer()
{
    Desk desk;
    QVERIFY(desk.start());
    desk.launcher.succeed = false;
    desk.run([&] { desk.form->helpmnu_Click(); });
    desk.run([&] { desk.form->helpmnu_Click(); });
    QCOMPARE(desk.launcher.started.size(), 2);
    QCOMPARE(desk.launcher.started.first(), QStringLiteral("xdg-open README.TXT in ") + desk.dir.path());
    QVERIFY(desk.boxes.shown.isEmpty());  // fails silently
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
