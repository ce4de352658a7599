// Arbitrary record images survive a decode and encode unchanged; arbitrary text
// either parses to a valid time or is rejected. Crash-freedom of the readers is
// the fuzzers' job.
#include <gtest/gtest.h>
#include <random>
#include "platform/datetime.h"
#include "store/recordcodec.h"

TEST(Randomized, RecordImagesDecodeAndReencode)
{
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 2 * recordcodec::kRecordLength);
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
