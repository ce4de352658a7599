// The record image, the reminders file and the sound setting.
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "platform/errors.h"
#include "platform/logonentry.h"
#include "store/codepage.h"
#include "store/fileslot.h"
#include "store/recordcodec.h"
#include "store/remindersfile.h"
#include "store/soundsetting.h"
#include "store/writefault.h"
#include "tests/support/records.h"

namespace {
constexpr int L = recordcodec::kRecordLength;

// Each test works in a fresh current directory, as the program does in its own folder.
class InTempDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }
    QTemporaryDir dir;
    QString previous;
};
}  // namespace

TEST(RecordCodec, ArmedRecordLayout)
{
    const ReminderRecord r = armedRecord(QDate(2026, 12, 6), QStringLiteral("01:05 PM"), 2, QStringLiteral("Buy milk"));
    const QByteArray img = recordcodec::encode(r);
    ASSERT_EQ(img.size(), L);
    EXPECT_EQ(img.left(8), QByteArray("01:05 PM"));
    double date;
    memcpy(&date, img.constData() + 8, 8);
    EXPECT_EQ(date, datetime::toOle(QDate(2026, 12, 6)));
    EXPECT_EQ(img.mid(16, 2), QByteArray("\x02\x00", 2));
    EXPECT_EQ(img.mid(18, 8), QByteArray("Buy milk"));
    EXPECT_EQ(img.mid(26, 2040), QByteArray(2040, ' '));
    EXPECT_EQ(img.right(2), QByteArray("\xFF\xFF", 2));
    EXPECT_EQ(recordcodec::decode(img), r);
}

TEST(RecordCodec, ClearedSpentAndNeverWritten)
{
    EXPECT_EQ(recordcodec::encode(ReminderRecord{}), QByteArray(L, '\0'));
    EXPECT_EQ(recordcodec::decode(QByteArray()), ReminderRecord{});

    ReminderRecord spent = armedRecord(QDate(2002, 3, 5), QStringLiteral("02:25 PM"), 3, QStringLiteral("x"));
    spent.makeSpent();
    const QByteArray img = recordcodec::encode(spent);
    EXPECT_EQ(img.left(8), QByteArray(8, ' '));
    EXPECT_EQ(img.mid(18, 2048), QByteArray(2048, ' '));
    EXPECT_EQ(img.mid(16, 2), QByteArray(2, '\0'));
    EXPECT_EQ(img.right(2), QByteArray(2, '\0'));
    EXPECT_EQ(recordcodec::decode(img).AlarmDate, datetime::toOle(QDate(2002, 3, 5)));
}

TEST(RecordCodec, LongMessageCutAndBlankMessage)
{
    const ReminderRecord r = armedRecord(QDate(2026, 1, 1), QStringLiteral("12:00 AM"), 0, QString(3000, QLatin1Char('m')));
    EXPECT_EQ(recordcodec::decode(recordcodec::encode(r)).Message, QString(2048, QLatin1Char('m')));
    const ReminderRecord blank = armedRecord(QDate(2026, 1, 1), QStringLiteral("12:00 AM"), 0, QStringLiteral("   "));
    EXPECT_EQ(shownText(recordcodec::decode(recordcodec::encode(blank)).Message), QString());
}

TEST(RecordCodec, Windows1252Text)
{
    const QString text = QStringLiteral("Caf\u00e9 \u20ac5 \u2014 \u4e2d");
    const QByteArray bytes = codepage::encode(text);
    EXPECT_EQ(bytes, QByteArray("Caf\xE9 \x80" "5 \x97 ?"));
    EXPECT_EQ(codepage::decode(bytes), QStringLiteral("Caf\u00e9 \u20ac5 \u2014 ?"));
    // Every byte decodes, the undefined ones included, and encodes back to itself.
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    EXPECT_EQ(codepage::encode(codepage::decode(all)), all);
}

TEST(RecordCodec, HostileValuesDecodeAsTheyAre)
{
    QByteArray img(L, '\xFF');
    const ReminderRecord r = recordcodec::decode(img);
    EXPECT_TRUE(std::isnan(r.AlarmDate));
    EXPECT_EQ(r.AdvanceOption, -1);
    EXPECT_EQ(r.AlarmSet, -1);
    EXPECT_FALSE(datetime::dayFromOle(r.AlarmDate).isValid());
    EXPECT_FALSE(datetime::alarmMoment(r.AlarmDate, r.AlarmTime).has_value());
    EXPECT_FALSE(datetime::dayFromOle(1e300).isValid());
    EXPECT_FALSE(datetime::dayFromOle(-1e9).isValid());
}

TEST(ReminderText, FixedWidthAndTrimming)
{
    EXPECT_EQ(fixedText(QStringLiteral("ab"), 4), QStringLiteral("ab  "));
    EXPECT_EQ(fixedText(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(trimBlanks(QStringLiteral("  a\tb \r\n  ")), QStringLiteral("a\tb \r\n"));
    EXPECT_EQ(shownText(QString(8, QChar(0))), QString());
    EXPECT_EQ(shownText(QStringLiteral(" x ")), QStringLiteral("x"));
}

using RemindersFileTest = InTempDir;

TEST_F(RemindersFileTest, MissingFileIsCreatedEmptyAndOwnerOnly)
{
    RemindersFile file(L);
    ASSERT_TRUE(QFile::exists(QStringLiteral("reminders.dat")));
    EXPECT_EQ(QFile(QStringLiteral("reminders.dat")).size(), 0);
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_EQ(QFile::permissions(QStringLiteral("reminders.dat")) & others, 0);
    EXPECT_TRUE(QFile::permissions(QStringLiteral("reminders.dat")) & QFileDevice::WriteOwner);
    EXPECT_EQ(file.read(2), ReminderRecord{});
    EXPECT_EQ(QFile(QStringLiteral("reminders.dat")).size(), 0) << "reading must never lengthen the file";
    file.write(1, armedRecord(QDate(2026, 12, 6), QStringLiteral("02:25 PM")));
    EXPECT_EQ(QFile::permissions(QStringLiteral("reminders.dat")) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0)
        << "a rewrite keeps the owner-only permissions";
}

TEST_F(RemindersFileTest, ShortFileGivesNeverWrittenRecordsAndWritePastEndPadsWithZeros)
{
    const ReminderRecord one = armedRecord(QDate(2026, 12, 6), QStringLiteral("01:05 PM"), 0, QStringLiteral("first"));
    putRecord(QStringLiteral("reminders.dat"), 1, one);
    RemindersFile file(L);
    EXPECT_EQ(file.read(1), one);
    EXPECT_EQ(file.read(2), ReminderRecord{});
    EXPECT_EQ(file.read(3), ReminderRecord{});
    const ReminderRecord three = armedRecord(QDate(2026, 12, 9), QStringLiteral("11:10 PM"), 3, QStringLiteral("third"));
    file.write(3, three);
    const QByteArray bytes = fileBytes(QStringLiteral("reminders.dat"));
    ASSERT_EQ(bytes.size(), 6204);
    EXPECT_EQ(bytes.mid(L, L), QByteArray(L, '\0'));
    EXPECT_EQ(file.read(3), three);
    EXPECT_EQ(file.read(1), one);
}

TEST_F(RemindersFileTest, PartialRecordReadsAsZeroPadded)
{
    QFile f(QStringLiteral("reminders.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("02:25 PM", 8);
    f.close();
    RemindersFile file(L);
    const ReminderRecord r = file.read(1);
    EXPECT_EQ(r.AlarmTime, QStringLiteral("02:25 PM"));
    EXPECT_EQ(r.AlarmSet, 0);
    EXPECT_EQ(QFile(QStringLiteral("reminders.dat")).size(), 8);
}

TEST_F(RemindersFileTest, FailedWriteLeavesTheFileIntactAndIsReported)
{
    const ReminderRecord one = armedRecord(QDate(2026, 12, 6), QStringLiteral("01:05 PM"));
    putRecord(QStringLiteral("reminders.dat"), 1, one);
    const QByteArray before = fileBytes(QStringLiteral("reminders.dat"));
    RemindersFile file(L);
    writefault::failNext(QStringLiteral("No space left on device"));
    try {
        file.write(1, ReminderRecord{});
        FAIL() << "a failed write must not pass as success";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Could not write reminders.dat: No space left on device"));
    }
    EXPECT_EQ(fileBytes(QStringLiteral("reminders.dat")), before);
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("reminders.dat")})
        << "no temporary file is left behind";
}

TEST_F(RemindersFileTest, AFolderInPlaceOfTheFileIsReported)
{
    QDir().mkdir(QStringLiteral("reminders.dat"));
    try {
        RemindersFile file(L);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Could not open reminders.dat: it is a folder, not a file"));
    }
    EXPECT_FALSE(FileSlot::busy()) << "a failed open gives the slot back";
}

TEST_F(RemindersFileTest, OneFileSlot)
{
    RemindersFile file(L);
    EXPECT_THROW(RemindersFile second(L), std::logic_error);
    EXPECT_THROW(soundsetting::read(), std::logic_error);
    file.close();
    EXPECT_FALSE(FileSlot::busy());
    RemindersFile again(L);
    EXPECT_TRUE(again.isOpen());
}

using SoundSettingTest = InTempDir;

TEST_F(SoundSettingTest, MissingEmptyAndWholeLine)
{
    EXPECT_FALSE(soundsetting::read().has_value());
    QFile f(QStringLiteral("audioalarm.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(soundsetting::read().has_value());
    soundsetting::write(QStringLiteral("/music/bells, loud.wav"));
    EXPECT_EQ(fileBytes(QStringLiteral("audioalarm.dat")), QByteArray("/music/bells, loud.wav\r\n"));
    EXPECT_EQ(soundsetting::read(), QStringLiteral("/music/bells, loud.wav"));
    soundsetting::write(QStringLiteral("/second.mid"));
    EXPECT_EQ(fileBytes(QStringLiteral("audioalarm.dat")), QByteArray("/second.mid\r\n"));
}

TEST_F(SoundSettingTest, QuotedPathAndFailedWriteKeepsEarlierPath)
{
    QFile f(QStringLiteral("audioalarm.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"/a b/c.wav\"\r\nignored\r\n");
    f.close();
    EXPECT_EQ(soundsetting::read(), QStringLiteral("/a b/c.wav"));
    writefault::failNext(QStringLiteral("disk full"));
    EXPECT_THROW(soundsetting::write(QStringLiteral("/new.wav")), AppError);
    EXPECT_EQ(soundsetting::read(), QStringLiteral("/a b/c.wav"));
}

namespace {
// Runs body in a child process whose files may not grow beyond limit bytes, with
// SIGXFSZ ignored as the program ignores it: the kernel itself refuses the write.
// Gives the AppError text the body threw, or what happened instead.
QString underSizeLimit(rlim_t limit, const std::function<void()>& body)
{
    int out[2];
    if (::pipe(out) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit cap{limit, limit};
        QByteArray said = "no limit";
        if (::setrlimit(RLIMIT_FSIZE, &cap) == 0) {
            try {
                body();
                said = "no error";
            } catch (const AppError& e) {
                said = e.text().toUtf8();
            }
        }
        [[maybe_unused]] const auto n = ::write(out[1], said.constData(), said.size());
        ::_exit(0);
    }
    ::close(out[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return QStringLiteral("the child was killed");
    return QString::fromUtf8(said);
}
}  // namespace

using SizeLimitTest = InTempDir;

// A file that may not grow: the earlier file stays exactly as it was, the
// system's reason is reported, and no temporary or partial file is left.
TEST_F(SizeLimitTest, RefusedWritesLeaveTheEarlierFiles)
{
    const QString data = QStringLiteral("reminders.dat");
    putRecord(data, 1, armedRecord(QDate(2026, 12, 6), QStringLiteral("01:05 PM"), 0, QStringLiteral("kept")));
    const QByteArray before = fileBytes(data);
    struct Case { rlim_t limit; int record; };
    for (const Case c : {Case{1000, 1}, Case{4000, 3}, Case{0, 2}}) {
        const QString said = underSizeLimit(c.limit, [&] {
            RemindersFile file(L);
            file.write(c.record, armedRecord(QDate(2026, 12, 7), QStringLiteral("09:00 AM")));
        });
        EXPECT_EQ(said.toStdString(), "Could not write reminders.dat: File too large") << c.limit;
        EXPECT_EQ(fileBytes(data), before) << c.limit;
    }

    {
        QFile f(QStringLiteral("audioalarm.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("/a.wav\r\n");
    }
    const QString said = underSizeLimit(20, [] { soundsetting::write(QString(60, QLatin1Char('x'))); });
    EXPECT_EQ(said.toStdString(), "Could not write audioalarm.dat: File too large");
    EXPECT_EQ(fileBytes(QStringLiteral("audioalarm.dat")), QByteArray("/a.wav\r\n"));
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("audioalarm.dat"), QStringLiteral("reminders.dat")}));

    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit() + "/config");
    XdgAutostart logon;
    qunsetenv("XDG_CONFIG_HOME");
    const QString entry = QStringLiteral("Chimewright.EXE.desktop");
    const QString refused = underSizeLimit(50, [&] { logon.create(entry, QStringLiteral("/opt/chimewright")); });
    EXPECT_TRUE(refused.endsWith(QLatin1String("Chimewright.EXE.desktop: File too large"))) << refused.toStdString();
    EXPECT_FALSE(logon.exists(entry)) << "a partial entry is removed";
    EXPECT_EQ(underSizeLimit(4096, [&] { logon.create(entry, QStringLiteral("/opt/chimewright")); }).toStdString(),
              "no error");
    EXPECT_TRUE(logon.exists(entry));
}
