// What ringing, the start-up review and the summary window decide and say.
#include <gtest/gtest.h>
#include <QLocale>
#include "alarm/alarmtexts.h"
#include "summary/listing.h"
#include "tests/support/records.h"

using namespace alarmtexts;

namespace {
const QDate kToday(2026, 12, 6);
struct UsLocale : ::testing::Test {
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};
}  // namespace

TEST(Due, AtOrAfterTheAlarmMoment)
{
    const ReminderRecord r = armedRecord(kToday, QStringLiteral("02:25 PM"));
    EXPECT_FALSE(isDue(r, datetime::wallClock(kToday, QTime(14, 24, 59))));
    EXPECT_TRUE(isDue(r, datetime::wallClock(kToday, QTime(14, 25, 0))));
    EXPECT_TRUE(isDue(r, datetime::wallClock(kToday, QTime(14, 25, 4))));
    EXPECT_TRUE(isDue(r, datetime::wallClock(kToday, QTime(16, 0))));  // a skipped minute rings late
    EXPECT_FALSE(isDue(armedRecord(kToday.addDays(1), QStringLiteral("02:25 PM")), datetime::wallClock(kToday, QTime(15, 0))));
    ReminderRecord garbage = r;
    garbage.AlarmTime = QStringLiteral("xx:yy ZZ");
    EXPECT_FALSE(isDue(garbage, datetime::wallClock(kToday, QTime(23, 59))));
}

TEST(RingText, TrimmedMessageOrNone)
{
    EXPECT_EQ(ringText(fixedText(QStringLiteral("  Call Anna\r\n  about Friday  "), 2048)),
              QStringLiteral("Message:\r\nCall Anna\r\n  about Friday"));
    EXPECT_EQ(ringText(QString(2048, QLatin1Char(' '))), QStringLiteral("Message: None."));
    EXPECT_EQ(ringText(QString(2048, QChar(0))), QStringLiteral("Message: None."));
}

TEST_F(UsLocale, MissedAndAdvanceTexts)
{
    const ReminderRecord r = armedRecord(kToday, QStringLiteral("02:25 PM"), 0, QStringLiteral("Dentist"));
    EXPECT_EQ(missedText(r), QStringLiteral("You had an alarm scheduled for: 12/6/2026 Alarm Time: 02:25 PM\r\n"
                                            "The alarm did not run because either:\r\n"
                                            "the computer was turned off during the designated alarm time,\r\n"
                                            "or the Chimewright program is not in your startup folder.\r\n\r\n"
                                            "Message/Notes: \r\nDentist"));
    const ReminderRecord blank = armedRecord(kToday.addDays(1), QStringLiteral("09:00 AM"), 1, QStringLiteral("   "));
    EXPECT_EQ(advanceNotice(blank), QStringLiteral("You have scheduled an alarm for: 12/7/2026\r\nAlarm Time: 09:00 AM\r\n\r\n"
                                                   "Message/Notes: \r\nNone."));
}

TEST(AdvanceNotice, OptionsAgainstTheDay)
{
    auto due = [](int daysAhead, int option) {
        return advanceNoticeDue(armedRecord(kToday.addDays(daysAhead), QStringLiteral("09:00 AM"), option), kToday);
    };
    struct Row { int days, option; bool notice; };
    for (const Row r : {Row{1, 1, true}, Row{1, 3, true}, Row{1, 2, false}, Row{1, 0, false}, Row{2, 2, true},
                        Row{2, 3, true}, Row{2, 1, false}, Row{10, 3, true}, Row{10, 2, false}, Row{-1, 3, false},
                        Row{1, 7, false}, Row{1, -3, false}})
        EXPECT_EQ(due(r.days, r.option), r.notice) << r.days << " days, option " << r.option;
}

TEST_F(UsLocale, SummaryListing)
{
    ReminderRecord one = armedRecord(QDate(2001, 12, 6), QStringLiteral("02:25 PM"), 0,
                                     QStringLiteral("   Buy milk and bread and cheese today"));
    ReminderRecord two = armedRecord(QDate(2001, 12, 7), QStringLiteral("09:00 AM"), 3, QStringLiteral("   "));
    const QStringList lines = listing::lines({one, two, ReminderRecord{}});
    const QStringList expected{
        "Reminder# 1 is set.", "Alarm Date: 12/6/2001", "Alarm Time: 02:25 PM",
        "Message(first few words): Buy milk and bread and", "", "",
        "Reminder# 2 is set.", "Alarm Date: 12/7/2001", "Alarm Time: 09:00 AM",
        "Also ring alarm: Everyday until the scheduled date.", "Message: None.", "", "",
        "Reminder# 3 is not set.", "", ""};
    EXPECT_EQ(lines, expected);
    // A message cut inside blanks loses them as well.
    ReminderRecord cut = armedRecord(QDate(2001, 12, 6), QStringLiteral("02:25 PM"), 1,
                                     QStringLiteral("abcdefghijklmnopqrstuvw   xyz"));
    EXPECT_EQ(listing::lines({cut, ReminderRecord{}, ReminderRecord{}})[3],
              QStringLiteral("Also ring alarm: One day before scheduled date."));
    EXPECT_EQ(listing::lines({cut, ReminderRecord{}, ReminderRecord{}})[4],
              QStringLiteral("Message(first few words): abcdefghijklmnopqrstuvw"));
}
