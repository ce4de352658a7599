// Dates, times, the typed-time parse and the hour-boundary difference.
#include <gtest/gtest.h>
#include <QLocale>
#include "platform/datetime.h"

using namespace datetime;

namespace {
QString parsed(const char* text)
{
    const auto t = parseTimeText(QString::fromUtf8(text));
    return t ? hhmmAmPm(*t) : QStringLiteral("rejected");
}
}  // namespace

TEST(OleDates, WholeDaysBothWays)
{
    EXPECT_EQ(toOle(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(toOle(QDate(2002, 3, 5)), 37320.0);
    EXPECT_EQ(dayFromOle(37320.0), QDate(2002, 3, 5));
    EXPECT_EQ(dayFromOle(37320.75), QDate(2002, 3, 5));
    EXPECT_EQ(dayFromOle(-1.0), QDate(1899, 12, 29));
    EXPECT_EQ(dayFromOle(kOleMin), QDate(100, 1, 1));
    EXPECT_EQ(dayFromOle(kOleMax), QDate(9999, 12, 31));
    EXPECT_FALSE(dayFromOle(kOleMax + 1).isValid());
}

TEST(TextPatterns, TwelveHourTimeAndLongDate)
{
    EXPECT_EQ(hhmmAmPm(QTime(0, 5)), QStringLiteral("12:05 AM"));
    EXPECT_EQ(hhmmAmPm(QTime(12, 0, 59)), QStringLiteral("12:00 PM"));
    EXPECT_EQ(hhmmAmPm(QTime(14, 25)), QStringLiteral("02:25 PM"));
    EXPECT_EQ(hhmmAmPm(QTime(23, 59)), QStringLiteral("11:59 PM"));
    EXPECT_EQ(longDate(QDate(2002, 3, 5)), QStringLiteral("Tuesday, March 05, 2002"));
    EXPECT_EQ(longDate(QDate(2026, 12, 6)), QStringLiteral("Sunday, December 06, 2026"));
}

TEST(TextPatterns, ShortDateFollowsTheLocaleWithAFullYear)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(shortDate(QDate(2001, 12, 6)), QStringLiteral("12/6/2001"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(shortDate(QDate(2001, 12, 6)), QStringLiteral("06.12.2001"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// What each typed text is stored as; "rejected" when Set Alarm refuses it.
TEST(TimeParse, Table)
{
    const std::pair<const char*, const char*> rows[] = {
        {"1am", "01:00 AM"}, {"1 AM", "01:00 AM"}, {"2:25 PM", "02:25 PM"}, {"2:25pm", "02:25 PM"},
        {"10:59", "10:59 AM"}, {"23:10", "11:10 PM"}, {"0:05", "12:05 AM"}, {"12:30", "12:30 PM"},
        {"1:35 AM", "01:35 AM"}, {"2:12pm", "02:12 PM"}, {"12 AM", "12:00 AM"}, {"12pM", "12:00 PM"},
        {"14:25:59", "02:25 PM"}, {"  7:05 pm  ", "07:05 PM"},
        // Calendar dates pass, as midnight or with their time.
        {"12/6/2026", "12:00 AM"}, {"12/6/26 2:25 PM", "02:25 PM"}, {"2026-12-06", "12:00 AM"},
        {"2026-12-06 23:10", "11:10 PM"}, {"2/30/2026", "rejected"},
        {"1:35 A.M.", "rejected"}, {"4:10p.m", "rejected"}, {"", "rejected"}, {"   ", "rejected"},
        {"noon", "rejected"}, {"10", "rejected"}, {"25:00", "rejected"}, {"10:60", "rejected"},
        {"13pm", "rejected"}, {"0am", "rejected"}, {"1:2:3:4", "rejected"}, {"2:25 PMX", "rejected"},
        {"12/6/2026x", "rejected"}, {"1a", "rejected"}, {"-1:00", "rejected"}};
    for (const auto& [typed, stored] : rows)
        EXPECT_EQ(parsed(typed), QString::fromUtf8(stored)) << typed;
}

TEST(HourBoundaries, CutToWholeHours)
{
    const QDateTime ten = wallClock(QDate(2026, 12, 6), QTime(10, 0));
    EXPECT_EQ(hourBoundaries(ten, wallClock(QDate(2026, 12, 7), QTime(9, 59))), 23);
    EXPECT_EQ(hourBoundaries(wallClock(QDate(2026, 12, 6), QTime(10, 59)), wallClock(QDate(2026, 12, 7), QTime(10, 0))), 24);
    EXPECT_EQ(hourBoundaries(ten, wallClock(QDate(2026, 12, 5), QTime(10, 0))), -24);
    EXPECT_EQ(hourBoundaries(ten, wallClock(QDate(2026, 12, 6), QTime(10, 59))), 0);
}

TEST(AlarmMoments, CompareAsWallClockValues)
{
    const auto m = alarmMoment(toOle(QDate(2026, 3, 8)), QStringLiteral("02:30 AM"));
    ASSERT_TRUE(m.has_value());
    // On the day the clock springs from 02:00 to 03:00, 03:00 is past 02:30.
    EXPECT_LT(*m, wallClock(QDate(2026, 3, 8), QTime(3, 0)));
    EXPECT_FALSE(alarmMoment(toOle(QDate(2026, 3, 8)), QString(8, QLatin1Char(' '))).has_value());
}
