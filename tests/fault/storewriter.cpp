// Writes reminders and sound settings through the program's file layer without end,
// so that a test can kill it at any moment and inspect what it left. A write the
// system refuses (full disk, file-size limit) is counted on stderr and the loop goes on.
#include <cstdio>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include "platform/datetime.h"
#include "platform/errors.h"
#include "store/remindersfile.h"
#include "store/soundsetting.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    for (qint64 i = 0;; ++i) {
        const int n = static_cast<int>(i % 3) + 1;
        ReminderRecord r;
        switch (i % 4) {
        case 0:
        case 3:
            r.AlarmTime = datetime::hhmmAmPm(QTime(static_cast<int>(i % 24), static_cast<int>(i % 60)));
            r.AlarmDate = datetime::toOle(QDate(2026, 12, 6).addDays(i % 100));
            r.AdvanceOption = static_cast<qint16>(i % 4);
            r.Message = fixedText(QStringLiteral("seq %1 record %2").arg(i).arg(n), ReminderRecord::kMessageWidth);
            r.AlarmSet = -1;
            break;
        case 1:
            break;  // cleared
        case 2:
            r.AlarmDate = datetime::toOle(QDate(2026, 12, 6));
            r.makeSpent();
            break;
        }
        try {
            RemindersFile file(2068);
            file.write(n, r);
            file.close();
            if (i % 5 == 0)
                soundsetting::write(QStringLiteral("/sounds/path number %1.wav").arg(i));
        } catch (const AppError&) {
            std::fputs("refused\n", stderr);
        }
    }
}
