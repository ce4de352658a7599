#include "platform/datetime.h"

#include <cmath>
#include <QLocale>
#include <QRegularExpression>

namespace datetime {

namespace {
const QDate kOleEpoch(1899, 12, 30);

std::optional<QTime> parseClock(const QString& s)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})(?::(\\d{1,2})(?::(\\d{1,2}))?)?\\s*([AaPp][Mm])?$"));
    const auto m = re.match(s);
    if (!m.hasMatch())
        return std::nullopt;
    const bool hasMinutes = m.capturedLength(2) > 0;
    const QString designator = m.captured(4).toUpper();
    if (!hasMinutes && designator.isEmpty())
        return std::nullopt;  // a bare number is not a time
    int hour = m.captured(1).toInt();
    const int minute = hasMinutes ? m.captured(2).toInt() : 0;
    const int second = m.capturedLength(3) > 0 ? m.captured(3).toInt() : 0;
    if (minute > 59 || second > 59)
        return std::nullopt;
    if (designator.isEmpty()) {
        if (hour > 23)
            return std::nullopt;
    } else {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour %= 12;
        if (designator == QLatin1String("PM"))
            hour += 12;
    }
    return QTime(hour, minute, second);
}

int fullYear(const QString& y)
{
    const int v = y.toInt();
    if (y.size() > 2)
        return v;
    return v < 30 ? 2000 + v : 1900 + v;
}
}  // namespace

double toOle(const QDate& day) { return static_cast<double>(kOleEpoch.daysTo(day)); }

QDate dayFromOle(double ole)
{
    if (std::isnan(ole) || ole < kOleMin || ole >= kOleMax + 1.0)
        return {};
    return kOleEpoch.addDays(static_cast<qint64>(std::trunc(ole)));
}

QString hhmmAmPm(const QTime& t)
{
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(h12, 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString longDate(const QDate& d)
{
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(d, QStringLiteral("dddd, MMMM dd, yyyy"));
}

QString shortDate(const QDate& d)
{
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(d, format);
}

std::optional<QTime> parseTimeText(const QString& text)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;

    static const QRegularExpression mdy(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})(?=\\s|$)"));
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?=\\s|$)"));
    QDate date;
    QRegularExpressionMatch m = mdy.match(s);
    if (m.hasMatch()) {
        date = QDate(fullYear(m.captured(3)), m.captured(1).toInt(), m.captured(2).toInt());
    } else if ((m = ymd.match(s)).hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    if (!m.hasMatch())
        return parseClock(s);
    if (!date.isValid())
        return std::nullopt;
    const QString rest = s.mid(m.capturedLength()).trimmed();
    if (rest.isEmpty())
        return QTime(0, 0);  // a date alone is midnight
    return parseClock(rest);
}

std::optional<QDateTime> alarmMoment(double oleDay, const QString& timeText)
{
    const QDate day = dayFromOle(oleDay);
    const auto time = parseTimeText(timeText);
    if (!day.isValid() || !time)
        return std::nullopt;
    return wallClock(day, *time);
}

qint64 hourBoundaries(const QDateTime& from, const QDateTime& to)
{
    return from.date().daysTo(to.date()) * 24 + (to.time().hour() - from.time().hour());
}

}  // namespace datetime
