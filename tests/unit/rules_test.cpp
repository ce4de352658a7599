// The rules the alarm timing judges by, one table each: a row is a moment and what must follow.
#include <cmath>
#include <gtest/gtest.h>
#include "alarm/rules.h"
#include "tests/support/records.h"

namespace {
const QDate kToday(2026, 12, 6);
QDateTime at(int days, const char* time)
{
    return QDateTime(kToday.addDays(days), QTime::fromString(time, "hh:mm:ss"), Qt::UTC);
}
ReminderRecord armed(int days, const char* time = "02:25 PM", int option = 0)
{
    return armedRecord(kToday.addDays(days), time, option);
}
}  // namespace

// A typed moment has passed when its minute is earlier than now today, or its day has gone by.
TEST(Rules, Passed)
{
    const struct {
        const char *typed, *now;
        int day;
        bool passed;
    } rows[] = {{"14:25:00", "14:25:00", 0, false}, {"14:25:59", "14:25:30", 0, true},
                {"14:24:00", "14:25:00", 0, true},  {"09:00:00", "23:00:00", 1, false},
                {"23:59:00", "00:00:01", -1, true}, {"00:00:00", "00:00:00", 0, false}};
    for (const auto& r : rows)
        EXPECT_EQ(rules::passed(QTime::fromString(r.typed), kToday.addDays(r.day), at(0, r.now)),
                  r.passed)
            << r.typed << " on day " << r.day << " at " << r.now;
}

// A saved record's timer runs for today, and for a day from `since` on that went by unwatched.
TEST(Rules, RunsToday)
{
    ReminderRecord spent = armed(0);
    spent.makeSpent();
    const struct {
        ReminderRecord saved;
        int since;
        bool runs;
    } rows[] = {{armed(0), 0, true},   {armed(1), -5, false}, {armed(-1), -1, true},
                {armed(-1), 0, false}, {armed(-3), 99, true}, {spent, 0, false}};
    for (const auto& r : rows) {
        const QDate since = r.since == 99 ? QDate() : kToday.addDays(r.since);
        EXPECT_EQ(rules::runsToday(r.saved, kToday, since), r.runs)
            << r.saved.AlarmDate << " since " << since.toString().toStdString();
    }
}

// Due from the saved moment on, whatever day the clock comes to; a time that is not one never is.
TEST(Rules, IsDue)
{
    const struct {
        ReminderRecord saved;
        QDateTime now;
        bool due;
    } rows[] = {{armed(0), at(0, "14:24:59"), false},
                {armed(0), at(0, "14:25:00"), true},
                {armed(0), at(1, "09:00:00"), true},
                {armed(0, "xx:yy ZZ"), at(1, "09:00:00"), false}};
    for (const auto& r : rows)
        EXPECT_EQ(rules::isDue(r.saved, r.now), r.due) << r.now.toString().toStdString();
}

// What the start-up review does with each saved reminder, and whether an advance notice is due.
TEST(Rules, ReviewAndNotices)
{
    using R = rules::Review;
    ReminderRecord nan = armed(0);
    nan.AlarmDate = std::nan("");
    const struct {
        ReminderRecord saved;
        const char* now;
        R review;
    } rows[] = {{ReminderRecord{}, "10:00:00", R::Nothing},
                {armed(0), "14:00:00", R::Timer},
                {armed(0), "14:25:00", R::Timer},
                {armed(0), "14:25:30", R::Missed},
                {armed(-1), "00:00:01", R::Missed},
                {armed(1, "09:00 AM", 1), "10:00:00", R::Notice},
                {armed(1, "09:00 AM", 2), "10:00:00", R::Nothing},
                {armed(2, "09:00 AM", 2), "10:00:00", R::Notice},
                {armed(10, "09:00 AM", 3), "10:00:00", R::Notice},
                {armed(0, "xx:yy ZZ"), "10:00:00", R::BadTime},
                {nan, "10:00:00", R::Nothing}};
    for (const auto& r : rows)
        EXPECT_EQ(int(rules::reviewOf(r.saved, at(0, r.now))), int(r.review))
            << r.saved.AlarmDate << " " << r.saved.AlarmTime.toStdString() << " at " << r.now;
    EXPECT_EQ(advanceOptionText(1) + '|' + advanceOptionText(2) + '|' + advanceOptionText(3) + '|' +
                  advanceOptionText(0) + '|' + advanceOptionText(7),
              "One day before scheduled date|Two days before scheduled date|Everyday until the "
              "scheduled date|None|None");
}

// Whether an armed reminder some days ahead shows its advance notice today, by its option.
TEST(Rules, AdvanceNotices)
{
    const struct {
        int days, option;
        bool notice;
    } rows[] = {{1, 1, true}, {1, 3, true},  {1, 2, false}, {1, 0, false}, {2, 2, true},
                {2, 3, true}, {2, 1, false}, {10, 3, true}, {0, 3, false}};
    for (const auto& [days, option, notice] : rows) {
        const ReminderRecord r = armedRecord(kToday.addDays(days), "09:00 AM", option);
        EXPECT_EQ(rules::advanceNoticeDue(r, kToday), notice) << days << " days, option " << option;
    }
}
