// libFuzzer targets, one per build: FUZZ_RECORD, FUZZ_TIMEPARSE or FUZZ_SOUNDSETTING. Each stops on
// a broken invariant; the sanitizers stop on any undefined behaviour on the way.
#include <QDir>
#include <QTemporaryDir>
#include "alarm/alarmtexts.h"
#include "alarm/rules.h"
#include "platform/datetime.h"
#include "store/recordcodec.h"
#include "store/soundsetting.h"
#include "summary/listing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
#if defined(FUZZ_RECORD)  // any image decodes to a record that encodes to the same bytes, cut or
                          // padded
    const ReminderRecord r = recordcodec::decode(bytes);
    const QDateTime now(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
    const QByteArray padded = bytes + QByteArray(recordcodec::kRecordLength, '\0');
    if (recordcodec::encode(r) != padded.left(recordcodec::kRecordLength))
        __builtin_trap();
    rules::isDue(r, now);
    rules::reviewOf(r, now);
    rules::advanceNoticeDue(r, now.date());
    alarmtexts::missedText(r);
    alarmtexts::advanceNotice(r);
    listing::lines({r, r, r});
#elif defined(                                                                                     \
    FUZZ_TIMEPARSE)  // an accepted time is stored as a text that reads back as the same minute
    const auto t = datetime::parseTimeText(QString::fromUtf8(bytes));
    if (t && datetime::parseTimeText(datetime::hhmmAmPm(*t)) != QTime(t->hour(), t->minute()))
        __builtin_trap();
#elif defined(FUZZ_SOUNDSETTING)  // any audioalarm.dat gives no setting, or a path not blank and of
                                  // one line
    static QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("audioalarm.dat")));
    if (!QDir::setCurrent(dir.path()) || !file.open(QIODevice::WriteOnly))
        __builtin_trap();
    file.write(bytes);
    file.close();
    const auto path = soundsetting::read();
    if (path && (path->trimmed().isEmpty() || path->contains(QLatin1Char('\n'))))
        __builtin_trap();
#else
#error "build with FUZZ_RECORD, FUZZ_TIMEPARSE or FUZZ_SOUNDSETTING"
#endif
    return 0;
}
