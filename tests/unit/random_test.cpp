// Arbitrary bytes and text through the decoder and the parsers: no crash, no hang.
#include <gtest/gtest.h>
#include <random>
#include "alarm/alarmtexts.h"
#include "platform/datetime.h"
#include "store/recordcodec.h"
#include "summary/listing.h"

TEST(Randomized, RecordImagesDecodeAndReencode)
{
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 2 * recordcodec::kRecordLength);
    const QDateTime now = datetime::wallClock(QDate(2026, 12, 6), QTime(12, 0));
    for (int i = 0; i < 3000; ++i) {
        QByteArray image(length(rng), '\0');
        for (char& c : image)
            c = static_cast<char>(byte(rng));
        const ReminderRecord r = recordcodec::decode(image);
        const QByteArray again = recordcodec::encode(r);
        ASSERT_EQ(again.size(), recordcodec::kRecordLength);
        const QByteArray expected = (image.left(recordcodec::kRecordLength) +
                                     QByteArray(recordcodec::kRecordLength, '\0')).left(recordcodec::kRecordLength);
        ASSERT_EQ(again, expected);
        alarmtexts::isDue(r, now);
        alarmtexts::advanceNoticeDue(r, now.date());
        alarmtexts::missedText(r);
        listing::lines({r, r, r});
    }
}

TEST(Randomized, TimeTextsParseOrAreRejected)
{
    std::mt19937 rng(7);
    const QString alphabet = QStringLiteral("0123456789::/-  aApPmM.x\t");
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    int accepted = 0;
    for (int i = 0; i < 100000; ++i) {
        QString text;
        for (int n = length(rng); n > 0; --n)
            text += alphabet[pick(rng)];
        if (const auto t = datetime::parseTimeText(text)) {
            ASSERT_TRUE(t->isValid()) << text.toStdString();
            ASSERT_EQ(datetime::hhmmAmPm(*t).size(), 8);
            ++accepted;
        }
    }
    EXPECT_GT(accepted, 0);
}
