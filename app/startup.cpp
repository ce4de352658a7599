// Start-up and activation of the main window.
#include <QDir>
#include <QTimer>
#include "alarm/alarmtexts.h"
#include "alarm/alarmtimer.h"
#include "editor/datepicker.h"
#include "editor/mainform.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/mediaplayer.h"
#include "platform/singleinstance.h"
#include "platform/trayicon.h"
#include "platform/windowlist.h"
#include "store/remindersfile.h"
#include "store/soundsetting.h"

bool mainform::Form_Load()
{
    if (m_services.instance && !m_services.instance->acquire([this] { Launch_Request(); }))
        return false;
    windowlist::closeFirstTagged(QStringLiteral("chimeview"));
    QDir::setCurrent(m_services.programDir);
    // A first start has no sound setting yet: the melody beside the program rings.
    guarded([this] {
        if (const auto path = soundsetting::read())
            MediaPlayer1.setFileName(*path);
    });
    RecordLength = 2068;
    const QDate today = m_services.clock->today();
    DTPicker1->setValue(today);
    DTPicker1->setEarliest(today);

    // Each step reports its own failure and start-up goes on, so that the program
    // always reaches the notification area. A file that cannot be read is told once,
    // though the steps after the review meet it again.
    QString told;
    auto step = [this, &told](const std::function<void()>& handler) {
        guarded([&] {
            try {
                handler();
            } catch (const AppError& e) {
                if (e.text() == told)
                    return;
                told = e.text();
                throw;
            }
        });
    };
    step([this] {
        RemindersFile file(RecordLength);
        const QDateTime now = m_services.clock->now();
        std::array<alarmtexts::Review, 4> plans{};
        for (int n = 1; n <= 3; ++n) {
            Reminders(n) = file.read(n);
            plans[n] = alarmtexts::reviewOf(Reminders(n), now);
        }
        // Nothing that must ring waits for a box: today's alarms still ahead and the day
        // watch run before the review shows its first one.
        for (int n = 1; n <= 3; ++n) {
            if (plans[n] == alarmtexts::Review::Timer)
                Timer1[n]->start(Reminders(n));
        }
        m_watchedDay = now.date();
        m_dayWatch->start();
        // A signal to end the program may come while a box of the review waits.
        for (int n = 1; n <= 3 && !m_ended; ++n)
            guarded([this, n, &file, &plans] { ReviewReminder(n, file, plans[n]); });
        file.close();
    });
    if (!m_dayWatch->isActive()) {
        // No review has read the file: the day watch goes on trying, and arms what it finds
        // once it can; start-up has told today's failure.
        m_watchReportedDay = today;
        m_dayWatch->start();
    }
    if (m_ended)
        return true;
    m_logonDirty = true;

    // A ring during the review's boxes has shown its reminder already.
    if (CurrentReminder == 0)
        CurrentReminder = 1;
    step([this] { filemnurem1_Click(); });
    show();
    repaint();
    if (m_services.tray)
        m_services.tray->add(windowIcon(), QStringLiteral("Chimewright"), mPopupSys);
    step([this] { SetWindowState(1); });
    return true;
}

// The program was started again: the window comes forward as a click on the icon
// brings it, the keyboard user's way back where the notification area takes no
// keyboard focus. A box waiting for its answer comes forward first.
void mainform::Launch_Request()
{
    if (!m_ended && !BringBoxForward())
        guarded([this] { RestoreFromIcon(); });
}

void mainform::Form_Activate()
{
    QDir::setCurrent(m_services.programDir);
}
