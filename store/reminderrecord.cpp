#include "store/reminderrecord.h"

void ReminderRecord::makeSpent()
{
    AlarmSet = 0;
    AlarmTime = QString(kTimeWidth, QLatin1Char(' '));
    AdvanceOption = 0;
    Message = QString(kMessageWidth, QLatin1Char(' '));
}

QString fixedText(const QString& value, int width)
{
    return value.left(width).leftJustified(width, QLatin1Char(' '));
}

QString trimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

QString shownText(const QString& field)
{
    const QString t = trimBlanks(field);
    for (const QChar c : t) {
        if (c != QChar(0))
            return t;
    }
    return {};
}

QString advanceOptionText(int option)
{
    switch (option) {
    case 1:
        return QStringLiteral("One day before scheduled date");
    case 2:
        return QStringLiteral("Two days before scheduled date");
    case 3:
        return QStringLiteral("Everyday until the scheduled date");
    default:
        return QStringLiteral("None");
    }
}
