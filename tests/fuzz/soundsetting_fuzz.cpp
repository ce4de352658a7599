// libFuzzer target: any audioalarm.dat through the sound-setting reader.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "store/soundsetting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const bool entered = QDir::setCurrent(dir.path());
    (void)entered;
    QFile file(QStringLiteral("audioalarm.dat"));
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    if (const auto path = soundsetting::read()) {
        if (path->isEmpty() || path->contains(QLatin1Char('\n')))
            __builtin_trap();
    }
    return 0;
}
