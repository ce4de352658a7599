// Logic without a display: record images, data files, their writers killed or refused, Exec lines.
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <random>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "alarm/alarmtexts.h"
#include "platform/errors.h"
#include "platform/logonentry.h"
#include "platform/singleinstance.h"
#include "store/codepage.h"
#include "store/remindersfile.h"
#include "store/savedrecords.h"
#include "store/soundsetting.h"
#include "summary/listing.h"
#include "tests/support/records.h"

using namespace Qt::Literals::StringLiterals;

// A text a check did not expect prints as text.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {
constexpr int L = recordcodec::kRecordLength;
const QDate kToday(2026, 12, 6);

// An image: its head (time, OLE date, option, message start), the message filled up, the flag.
QByteArray image(const QByteArray& head, char fill, const char* flag)
{
    return head + QByteArray(L - 2 - head.size(), fill) + QByteArray(flag, 2);
}

void put(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size())
        << name.toStdString();
}

// The AppError text body throws while no file may grow beyond limit bytes (SIGXFSZ ignored).
QString failure(const std::function<void()>& body, rlim_t limit = RLIM_INFINITY)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit cap{limit, RLIM_INFINITY}, none{RLIM_INFINITY, RLIM_INFINITY};
    QString said = ::setrlimit(RLIMIT_FSIZE, &cap) == 0 ? u"no error"_s : u"no limit"_s;
    try {
        body();
    } catch (const AppError& e) {
        said = e.text();
    }
    ::setrlimit(RLIMIT_FSIZE, &none);
    return said;
}

// Each test works in a fresh current directory, as the program does in its own folder.
struct Files : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(QDir::setCurrent(dir.path())); }
    QTemporaryDir dir;
};
}  // namespace

TEST(Store, RecordImages)
{
    ReminderRecord spent = armedRecord(QDate(2002, 3, 5), u"02:25 PM"_s, 3, u"x"_s), longer = spent;
    spent.makeSpent();
    longer.Message = QString(3000, u'm');
    const std::pair<ReminderRecord, QByteArray> rows[] = {
        {armedRecord(kToday, u"01:05 PM"_s, 2, u"Buy milk"_s),
         image(QByteArray("01:05 PM\0\0\0\0@\xA3\xE6@\x02\0Buy milk", 26), ' ', "\xFF\xFF")},
        {ReminderRecord{}, image({}, '\0', "\0\0")},
        {spent, image(QByteArray("        \0\0\0\0\0\x39\xE2@\0\0", 18), ' ', "\0\0")},
        {longer, image(QByteArray("02:25 PM\0\0\0\0\0\x39\xE2@\x03\0", 18), 'm', "\xFF\xFF")}};
    for (const auto& [record, bytes] : rows)
        EXPECT_EQ(recordcodec::encode(record), bytes);  // decode: the record fuzzer's round trip
    EXPECT_EQ(codepage::encode(u"Caf\u00e9 \u20ac5 \u2014 \u4e2d"_s),
              QByteArray("Caf\xE9 \x80\x35 \x97 ?"));
}

// Created empty for the owner alone; read past its end as zeros, never lengthened by a read; padded
// with zero records when written past its end; one data file open at a time, but the saved records
// are read while it is; a folder in its place is reported, a FIFO refused without waiting for a
// writer.
TEST_F(Files, RemindersFile)
{
    const auto ownerOnly =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    const QByteArray one = recordcodec::encode(armedRecord(kToday, u"01:05 PM"_s));
    RemindersFile file(L);
    EXPECT_EQ(QFile::permissions(u"reminders.dat"_s), ownerOnly);
    EXPECT_EQ(file.read(2), ReminderRecord{});
    EXPECT_EQ(fileBytes(u"reminders.dat"_s), QByteArray());
    put(u"reminders.dat"_s, one.left(30));
    EXPECT_EQ(recordcodec::encode(file.read(1)), one.left(30) + QByteArray(L - 30, '\0'));
    put(u"reminders.dat"_s, one);
    file.write(3, recordcodec::decode(one));
    EXPECT_EQ(fileBytes(u"reminders.dat"_s), one + QByteArray(L, '\0') + one);
    EXPECT_EQ(QFile::permissions(u"reminders.dat"_s), ownerOnly) << "a rewrite keeps them";
    EXPECT_THROW(RemindersFile second(L), std::logic_error);
    EXPECT_THROW(soundsetting::read(), std::logic_error);
    EXPECT_EQ(savedrecords::read()(3), recordcodec::decode(one)) << "while the file is open";
    file.close();
    QFile::remove(u"reminders.dat"_s);
    EXPECT_EQ(savedrecords::read()(1), ReminderRecord{}) << "no file: never written";
    EXPECT_FALSE(QFile::exists(u"reminders.dat"_s)) << "the saved records' read creates nothing";
    QDir().mkdir(u"reminders.dat"_s);
    const QString folder = failure([] { RemindersFile f(L); });
    EXPECT_EQ(folder, u"Could not open reminders.dat: it is a folder, not a file"_s);
    EXPECT_EQ(failure([] { savedrecords::read(); }), folder);
    QDir().rmdir(u"reminders.dat"_s);
    ASSERT_EQ(::mkfifo("reminders.dat", 0600), 0);
    const QString fifo = u"Could not open reminders.dat: it is a named pipe, not a file"_s;
    EXPECT_EQ(failure([] { savedrecords::read(); }), fifo);
    EXPECT_EQ(failure([] { savedrecords::writeAtEnd(1, {}); }), fifo);
    EXPECT_FALSE(FileSlot::busy()) << "a failed open gives the slot back";
}

// Named pipes and devices in the data files' places are refused at once, also one swapped in
// between the open and a read; the file put back is read again; nothing replaces them unseen.
TEST_F(Files, NotAFileRefused)
{
    std::signal(SIGALRM, [](int) {
        [[maybe_unused]] auto n = ::write(2, "blocked on a named pipe\n", 24);
        std::_Exit(1);
    });
    ::alarm(5);
    const QString pipe = u"it is a named pipe, not a file"_s;
    const QString sound = u"Could not read audioalarm.dat: "_s;
    const QString soundWrite = u"Could not write audioalarm.dat: "_s;
    const QByteArray one = recordcodec::encode(armedRecord(kToday, u"01:05 PM"_s));
    put(u"reminders.dat"_s, one);
    RemindersFile file(L);
    ASSERT_EQ(::rename("reminders.dat", "kept.dat"), 0);
    ASSERT_EQ(::mkfifo("reminders.dat", 0600), 0);
    const QString read = u"Could not read reminders.dat: "_s + pipe;
    EXPECT_EQ(failure([&] { file.read(1); }), read) << "swapped in after the open";
    EXPECT_EQ(failure([&] { file.write(1, {}); }), read);
    file.close();
    EXPECT_EQ(failure([] { RemindersFile f(L); }), u"Could not open reminders.dat: "_s + pipe);
    ASSERT_EQ(::rename("kept.dat", "reminders.dat"), 0);
    EXPECT_EQ(RemindersFile(L).read(1), recordcodec::decode(one)) << "the file put back";
    ASSERT_EQ(::mkfifo("audioalarm.dat", 0600), 0);
    EXPECT_EQ(failure([] { soundsetting::read(); }), sound + pipe);
    EXPECT_EQ(failure([] { soundsetting::write(u"/a.wav"_s); }), soundWrite + pipe);
    EXPECT_FALSE(QFileInfo(u"audioalarm.dat"_s).isFile()) << "the pipe was replaced";
    QFile::remove(u"audioalarm.dat"_s);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, u"audioalarm.dat"_s));
    EXPECT_EQ(failure([] { soundsetting::read(); }), sound + u"it is a device, not a file"_s);
    ::alarm(0);
}

// The sound setting is the file's first line, unquoted; no file or a blank line is no setting.
TEST_F(Files, SoundSettingFirstLine)
{
    EXPECT_EQ(soundsetting::read(), std::nullopt);
    const std::pair<const char*, std::optional<QString>> rows[] = {
        {"", std::nullopt},
        {"  \r\n/b.wav\r\n", std::nullopt},
        {"/bells, loud.wav\r\n", "/bells, loud.wav"},
        {"\"/a b/c.wav\"\r\nnext\r\n", "/a b/c.wav"},
        {"/unix.mid\nx", "/unix.mid"},
        {"/no end", "/no end"}};
    for (const auto& [content, path] : rows) {
        put(u"audioalarm.dat"_s, content);
        EXPECT_EQ(soundsetting::read(), path) << content;
    }
    soundsetting::write(u"/second.mid"_s);
    EXPECT_EQ(fileBytes(u"audioalarm.dat"_s), QByteArray("/second.mid\r\n"));
}

// A writer the system refuses leaves its earlier file as it was, and no temporary or partial file.
TEST_F(Files, EveryWriterUnderAFileSizeLimit)
{
    const ReminderRecord r = armedRecord(kToday, u"09:00 AM"_s);
    put(u"reminders.dat"_s, recordcodec::encode(r));
    put(u"audioalarm.dat"_s, "/a.wav\r\n");
    qputenv("XDG_CONFIG_HOME", dir.filePath(u"config"_s).toLocal8Bit());
    XdgAutostart logon;
    const QString entry = logon.folder() + u"/Chimewright.EXE.desktop"_s;
    const std::tuple<rlim_t, QString, std::function<void()>> rows[] = {
        {1000, u"reminders.dat"_s, [] { RemindersFile(L).write(1, ReminderRecord{}); }},
        {2000, u"reminders.dat"_s, [&] { savedrecords::writeAtEnd(2, r); }},
        {4000, u"reminders.dat"_s, [&] { RemindersFile(L).write(3, r); }},
        {0, u"reminders.dat"_s, [&] { RemindersFile(L).write(2, r); }},
        {20, u"audioalarm.dat"_s, [] { soundsetting::write(QString(60, u'x')); }},
        {50, entry, [&] { logon.create(u"Chimewright.EXE.desktop"_s, u"/opt/cw"_s); }}};
    for (const auto& [limit, file, write] : rows) {
        const QByteArray before = fileBytes(file);
        const QString what = file == entry ? u"the log-on start entry "_s + entry : file;
        EXPECT_EQ(failure(write, limit), u"Could not write %1: File too large"_s.arg(what));
        EXPECT_EQ(fileBytes(file), before) << limit;
    }
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden),
              QStringList({"audioalarm.dat", "reminders.dat"}));
    EXPECT_EQ(QDir(logon.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

// A writer takes step after step (every fifth also the sound setting) until killed at a random
// moment, plainly, on a nearly full disk (a 16 KiB tmpfs: CTest runs this in user and mount
// namespaces of its own) or under a file-size limit; then each record must be one a step wrote, no
// file shrunk or torn.
TEST_F(Files, KillNine)
{
    const auto step = [](int i) {  // record i % 3 + 1, its fields made from i
        return armedRecord(kToday.addDays(i % 100), datetime::hhmmAmPm(QTime(i % 24, i % 60)),
                           i % 4, u"seq %1 record %2"_s.arg(i).arg(i % 3 + 1));
    };
    std::mt19937 random(20261206);
    // Shared with the writers: the writes the system refused, and whether a write is under way.
    void* memory =
        ::mmap(nullptr, sizeof(int[2]), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    auto* shared = static_cast<int*>(memory);
    for (const QString& way : {u"plain"_s, u"full"_s, u"fsize"_s}) {
        ASSERT_TRUE(QDir().mkdir(way));
        const bool full = way == u"full"_s;
        ASSERT_TRUE(!full || ::mount("tmpfs", qPrintable(way), "tmpfs", 0, "size=16k") == 0)
            << errno;
        ASSERT_TRUE(QDir::setCurrent(dir.filePath(way)));
        int struck = 0, &refused = shared[0] = 0, &writing = shared[1];
        // Records 1 and 2 come first: a round killed before its first write (a busy machine)
        // would let the next one write past a record never written, whose zeros are no step's.
        RemindersFile(L).write(1, step(0));
        RemindersFile(L).write(2, step(1));
        qsizetype size = 2 * L;
        for (int kill = 0; kill < 100; ++kill) {
            const pid_t writer = ::fork();
            for (int i = kill; writer == 0; ++i) {  // each round from another record on
                writing = 1;
                const QString said = failure(
                    [i, step] {
                        RemindersFile(L).write(i % 3 + 1, step(i));
                        if (i % 5 == 0)
                            soundsetting::write(u"/sounds/%1.wav"_s.arg(i));
                    },
                    way == u"fsize"_s ? 5000 : RLIM_INFINITY);
                refused +=
                    said.endsWith(full ? u": No space left on device"_s : u": File too large"_s);
                writing = 0;
            }
            ::usleep(500 + random() % 20000);
            ::kill(writer, SIGKILL);
            ::waitpid(writer, nullptr, 0);
            struck += std::exchange(writing, 0);
            const QByteArray data = fileBytes(u"reminders.dat"_s),
                             sound = fileBytes(u"audioalarm.dat"_s);
            EXPECT_TRUE(data.size() % L == 0 && data.size() >= size && data.size() <= 3 * L)
                << data.size();
            size = data.size();
            for (int n = 0; n < data.size() / L; ++n) {
                const QByteArray bytes = data.mid(n * L, L);
                const int i = recordcodec::decode(bytes).Message.section(u' ', 1, 1).toInt();
                EXPECT_TRUE(i % 3 == n && bytes == recordcodec::encode(step(i)))
                    << "record " << n + 1;
            }
            EXPECT_TRUE(sound.isEmpty() ||
                        (sound.startsWith("/sounds/") && sound.endsWith(".wav\r\n")))
                << sound.data();
        }
        std::printf("%s: 100 kills, %d in a write, %d writes refused\n", qPrintable(way), struck,
                    refused);
        EXPECT_GT(struck, 0) << "no kill struck a write";
        EXPECT_TRUE(refused > 0 || way == u"plain"_s) << "the system refused no write";
        QDir::setCurrent(dir.path());
        ASSERT_TRUE(!full || ::umount(qPrintable(way)) == 0);
    }
}

// What each typed text is stored as, and the texts Set Alarm refuses; calendar dates pass, with
// their time.
TEST(Times, TypedTimeParse)
{
    for (const char* row :
         {"1am=01:00 AM", "1 AM=01:00 AM", "2:25 PM=02:25 PM", "2:25pm=02:25 PM", "10:59=10:59 AM",
          "23:10=11:10 PM", "0:05=12:05 AM", "12:30=12:30 PM", "12 AM=12:00 AM", "12pM=12:00 PM",
          "14:25:59=02:25 PM", "  7:05 pm  =07:05 PM", "12/6/2026=12:00 AM",
          "12/6/26 2:25 PM=02:25 PM", "2026-12-06 23:10=11:10 PM"}) {
        const QString typed = QString(row).section(u'=', 0, 0);
        const auto time = datetime::parseTimeText(typed);
        EXPECT_EQ(time ? datetime::hhmmAmPm(*time) : u"rejected"_s, QString(row).section(u'=', 1))
            << row;
    }
    for (const char* typed :
         {"2/30/2026", "1:35 A.M.", "4:10p.m", "", "   ", "noon", "10", "25:00", "10:60", "13pm",
          "0am", "1:2:3:4", "2:25 PMX", "12/6/2026x", "1a", "-1:00"})
        EXPECT_EQ(datetime::parseTimeText(QString::fromUtf8(typed)), std::nullopt) << typed;
}

// Texts no window test reads whole: the ring box for a blank message, the missed-alarm box, a
// listing line whose message is cut inside blanks.
TEST(Times, BoxTexts)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const ReminderRecord missed = armedRecord(kToday, u"02:25 PM"_s, 0, u"  Dentist  "_s);
    const ReminderRecord cut =
        armedRecord(kToday, u"02:25 PM"_s, 2, u"abcdefghijklmnopqrstuvw   xyz"_s);
    EXPECT_EQ(alarmtexts::ringText(QString(2048, QChar(0))), u"Message: None."_s);
    const QString missedBox = u"You had an alarm scheduled for: 12/6/2026 Alarm Time: 02:25 PM\r\n"
                              "The alarm did not run because either:\r\n"
                              "the computer was turned off during the designated alarm time,\r\n"
                              "or the Chimewright program is not in your startup folder.\r\n\r\n"
                              "Message/Notes: \r\nDentist"_s;
    EXPECT_EQ(alarmtexts::missedText(missed), missedBox);
    EXPECT_EQ(listing::lines({cut, {}, {}}).mid(3, 2),
              QStringList({u"Also ring alarm: Two days before scheduled date."_s,
                           u"Message(first few words): abcdefghijklmnopqrstuvw"_s}));
}

// The Exec value as the entry holds it: quoted, with " ` $ \ escaped for the shell, % doubled;
// the icon beside the executable.
TEST(LogonEntry, ExecQuoting)
{
    const std::pair<const char*, const char*> rows[] = {
        {"/opt/chimewright", R"("/opt/chimewright")"},
        {"/home/ann/My Apps/cw", R"("/home/ann/My Apps/cw")"},
        {"/tmp/$HOME/x", R"("/tmp/\\$HOME/x")"},
        {"/tmp/`rm x`/c", R"("/tmp/\\`rm x\\`/c")"},
        {R"(/back\slash)", R"("/back\\\\slash")"},
        {R"(/a"b)", R"("/a\\"b")"},
        {"/%f%", R"("/%%f%%")"}};
    for (const auto& [path, exec] : rows)
        EXPECT_EQ(desktopentry::execValue(QString::fromUtf8(path)), QString::fromUtf8(exec))
            << path;
    EXPECT_EQ(desktopentry::entryText(uR"(/a\b/c)"_s), uR"([Desktop Entry]
Type=Application
Name=Chimewright
Comment=Reminders and alarms in the notification area
Exec="/a\\\\b/c"
Icon=/a\\b/chimewright.png
Terminal=false
X-GNOME-Autostart-enabled=true
)"_s);
}

// A later start asks the copy that runs for its window and is refused; a copy killed with its lock
// and socket left behind keeps no later start out, nor takes its requests.
TEST_F(Files, LaterStartAsksTheRunningCopy)
{
    qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    const pid_t killed = ::fork();
    if (killed == 0) {
        LockFileInstance left(u"/opt/cw"_s);
        left.acquire({});
        ::raise(SIGKILL);
    }
    ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
    const QStringList left = QDir().entryList(QDir::Files | QDir::System).filter(u"chimewright-"_s);
    ASSERT_EQ(left.size(), 2) << "no stale lock and socket";
    int argc = 1;
    char name[] = "unit_tests", *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    int asked = 0;
    LockFileInstance running(u"/opt/cw"_s), later(u"/opt/cw"_s);
    EXPECT_TRUE(running.acquire([&] { ++asked; })) << "the killed copy's lock kept it out";
    EXPECT_FALSE(later.acquire([] { ADD_FAILURE() << "the later start was asked"; }));
    QDeadlineTimer deadline(5000);
    while (asked == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(asked, 1) << "requests the running copy took";
}
