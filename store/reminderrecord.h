#pragma once
#include <array>
#include <QString>
#include <QtGlobal>

// One reminder, field for field as the reminders file holds it.
struct ReminderRecord {
    static constexpr int kTimeWidth = 8;
    static constexpr int kMessageWidth = 2048;

    QString AlarmTime = QString(kTimeWidth, QChar(0));  // "hh:mm AM/PM", blanks or NULs
    double AlarmDate = 0.0;                             // OLE Automation date, whole day
    qint16 AdvanceOption = 0;                           // 0 none, 1, 2, 3
    QString Message = QString(kMessageWidth, QChar(0));
    qint16 AlarmSet = 0;  // -1 armed, 0 not

    bool isArmed() const { return AlarmSet == -1; }
    // Both armed for the same day at the same time.
    bool sameArmedMoment(const ReminderRecord& other) const
    {
        return isArmed() && other.isArmed() && AlarmDate == other.AlarmDate &&
               AlarmTime == other.AlarmTime;
    }
    // The state ringing and a missed alarm leave: blanks, the day kept.
    void makeSpent();

    bool operator==(const ReminderRecord&) const = default;
};

// Entries 1..3 of the main window; entry 0 is never used, so the numbers read as they do on screen.
struct ReminderTable {
    std::array<ReminderRecord, 4> entries{};
    ReminderRecord& operator()(int n) { return entries.at(n); }
    const ReminderRecord& operator()(int n) const { return entries.at(n); }
};

// The advance option's caption: "One day before scheduled date" for 1, "Two days before scheduled
// date" for 2, "Everyday until the scheduled date" for 3, "None" for 0 and any other value.
QString advanceOptionText(int option);

// Fixed-length text: cut at the width, padded on the right with blanks.
QString fixedText(const QString& value, int width);
// Leading and trailing blanks (spaces only) removed.
QString trimBlanks(const QString& text);
// A field as shown: trimmed, and a field of NUL characters counts as empty.
QString shownText(const QString& field);
