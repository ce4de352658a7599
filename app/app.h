#pragma once
#include <QObject>
#include "alarm/alarmhost.h"
#include "alarm/alarms.h"
#include "alarm/turns.h"
#include "app/logonrule.h"
#include "app/shutdown.h"
#include "app/windowlife.h"
#include "editor/editorhost.h"
#include "editor/mainform.h"
#include "platform/services.h"

// The program: its parts wired together, each with the state it owns. The ring and the editor
// reach the rest through the small interfaces they declare; this class answers them.
class App : public QObject, public AlarmHost, public EditorHost {
    Q_OBJECT
public:
    explicit App(const Services& services);

    // The whole start-up, in one pass; false when another copy runs and this one ends.
    bool Form_Load();

    Turns& turns() { return m_turns; }
    Alarms& alarms() { return m_alarms; }
    mainform& form() { return m_form; }
    WindowLife& window() { return m_window; }
    Shutdown& shutdown() { return m_shutdown; }

    // What the ring needs.
    void SetEntry(int n, const ReminderRecord& saved) override { m_form.Reminders(n) = saved; }
    void RungSpent(int n) override { m_form.ShowRungReminder(n); }
    void RingWaiting(int n, const ReminderRecord& spent) override
    {
        m_form.ShowRingWaiting(n, spent);
    }
    void mPopRestore_Click() override { m_window.mPopRestore_Click(); }
    void SavedRecordsChanged() override;
    void FollowToday() override { m_form.FollowToday(); }
    // What the editor needs.
    void SetWindowState(int state) override { m_window.SetWindowState(state); }

private:
    Services m_services;
    Turns m_turns;
    Alarms m_alarms;
    mainform m_form;
    LogonRule m_logon;
    WindowLife m_window;
    Shutdown m_shutdown;
};
