// libFuzzer target: any bytes through the record decoder and everything that reads a record.
#include <QDateTime>
#include "alarm/alarmtexts.h"
#include "store/recordcodec.h"
#include "summary/listing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray image(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ReminderRecord r = recordcodec::decode(image);
    const QByteArray again = recordcodec::encode(r);
    const bool comparable = r.AlarmDate == r.AlarmDate;  // NaN never equals itself
    if (again.size() != recordcodec::kRecordLength || (comparable && recordcodec::decode(again) != r))
        __builtin_trap();
    const QDateTime now(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
    alarmtexts::isDue(r, now);
    alarmtexts::advanceNoticeDue(r, now.date());
    alarmtexts::missedText(r);
    alarmtexts::advanceNotice(r);
    listing::lines({r, r, r});
    return 0;
}
