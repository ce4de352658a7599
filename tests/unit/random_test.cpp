// Arbitrary record images survive a decode and encode unchanged. Crash-freedom of
// the readers, and of the time parse, is the fuzzers' job.
#include <gtest/gtest.h>
#include <random>
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
