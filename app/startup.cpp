// Start-up: one copy, the program's folder, the sound, the review, reminder 1, the icon.
#include <QDir>
#include "app/app.h"
#include "editor/datepicker.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/mediaplayer.h"
#include "platform/singleinstance.h"
#include "platform/windowlist.h"
#include "store/recordcodec.h"
#include "store/soundsetting.h"
#include "summary/viewsettings.h"

App::App(const Services& services)
    : m_services(services)
    , m_turns(*services.boxes)
    , m_alarms(services, m_turns, *this)
    , m_form(services, m_turns, m_alarms, *this)
    , m_logon(services, m_turns)
    , m_window(services, m_turns, m_form)
    , m_shutdown(services, m_turns, m_form, m_alarms, m_window, m_logon)
{}

void App::SavedRecordsChanged()
{
    m_logon.SavedRecordsChanged();
    if (viewsettings* open = viewsettings::loaded())
        open->Form_Activate();
}

bool App::Form_Load()
{
    if (m_services.instance && !m_services.instance->acquire([this] { m_window.Launch_Request(); }))
        return false;
    windowlist::closeFirstTagged(QStringLiteral("chimeview"));
    QDir::setCurrent(m_services.programDir);
    // A first start has no sound setting yet: the melody beside the program rings.
    m_turns.run([this] {
        if (const auto path = soundsetting::read())
            m_form.MediaPlayer1.setFileName(*path);
    });
    m_form.RecordLength = recordcodec::kRecordLength;
    const QDate today = m_services.clock->today();
    m_form.DTPicker1->setValue(today);
    m_form.DTPicker1->setEarliest(today);

    // Each step reports its own failure and start-up goes on, so that the program always
    // reaches the notification area. A file that cannot be read is told once, though the steps
    // after the review meet it again.
    QString told;
    auto step = [this, &told](const std::function<void()>& handler) {
        m_turns.run([&] {
            try {
                handler();
            } catch (const AppError& e) {
                if (e.text() != std::exchange(told, e.text()))
                    throw;
            }
        });
    };
    step([this] { m_alarms.Review(m_form.RecordLength); });
    if (m_turns.hasEnded())
        return true;
    m_logon.SavedRecordsChanged();

    // A ring during the review's boxes has shown its reminder already.
    if (m_form.CurrentReminder == 0)
        m_form.CurrentReminder = 1;
    step([this] { m_form.filemnurem1_Click(); });
    m_form.show();
    m_form.repaint();
    m_window.AddIcon();
    step([this] { m_window.SetWindowState(1); });
    return true;
}
