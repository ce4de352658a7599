#pragma once
#include <array>
#include <QDate>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTimer>
#include "alarm/rules.h"
#include "platform/services.h"
#include "store/reminderrecord.h"

class AlarmHost;
class AlarmTimer;
class RemindersFile;
class Turns;

// The ring, whole: the three alarm timers, the due test on the saved moment, the ring with its
// sound and box, the spend of the rung record, the day watch, and the start-up review. Nothing
// that must ring waits on a box: the record steps do, the ring does not.
class Alarms : public QObject {
    Q_OBJECT
public:
    Alarms(const Services& services, Turns& turns, AlarmHost& host);

    // The timer array: member N serves reminder N and runs while its saved record is armed for
    // today, carrying that record.
    std::array<AlarmTimer*, 4> Timer1{};

    void Timer1_Timer(int Index);
    void DayWatch_Timer();
    // Start-up: reads the three records once, starts today's timers still ahead and the day
    // watch, then shows the review's boxes in reminder order.
    void Review(int recordLength);
    // A saving of reminder n (Set Alarm, a save question) asked on `askedOn`: its timer follows it.
    void FollowSavedDay(int n, const ReminderRecord& saved, const QDate& askedOn);
    // The same moment rings with the newly saved message.
    void FollowSavedMessage(int n, const ReminderRecord& saved);
    void Stop(int n);
    // A moment that rang behind a box, its spend still waiting for that box.
    bool RungUnspent(int n, const ReminderRecord& saved) const;
    // The program's last moment: a ring's record steps still waiting are written.
    void WritePendingRecords();

private:
    void ReviewReminder(int N, RemindersFile& file, ReminderRecord E, rules::Review plan);
    void SpendRungReminder(int Index, const ReminderRecord& rung);
    bool Rang(int n, const ReminderRecord& saved) const;
    bool PlayMelody();
    int MsgBox(const QString& text, int style, const QString& title = {});

    Services m_services;
    Turns& m_turns;
    AlarmHost& m_host;
    int m_recordLength = 0;
    QList<QPair<int, ReminderRecord>> m_unspent;  // rung behind a box, the spend waiting
    QList<QPair<int, ReminderRecord>> m_rang;     // rung or told missed in this run
    int m_ringBoxes = 0;                          // rings sounding or showing their box
    bool m_sounding = false;                      // the sound of an open ring box plays
    QDate m_watchedDay;
    QDate m_watchReportedDay;  // the day whose unreadable file was told
    QTimer* m_dayWatch = new QTimer(this);
};
