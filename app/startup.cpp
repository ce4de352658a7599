// Start-up and activation of the main window.
#include <QDir>
#include <QTimer>
#include "alarm/alarmtimer.h"
#include "editor/datepicker.h"
#include "editor/mainform.h"
#include "platform/clock.h"
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
    // always reaches the notification area.
    guarded([this] {
        RemindersFile file(RecordLength);
        // A signal to end the program may come while a box of the review waits.
        for (int n = 1; n <= 3 && !m_ended; ++n)
            guarded([this, n, &file] { ReviewReminder(n, file); });
        file.close();
    });
    if (m_ended)
        return true;
    m_logonDirty = true;
    m_watchedDay = today;
    m_dayWatch->start();

    CurrentReminder = 1;
    guarded([this] { filemnurem1_Click(); });
    show();
    repaint();
    if (m_services.tray)
        m_services.tray->add(windowIcon(), QStringLiteral("Chimewright"), mPopupSys);
    guarded([this] { SetWindowState(1); });
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
