#include "platform/wholewrite.h"

std::optional<QString> writeWhole(QFileDevice& out, const QByteArray& data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = out.write(data.constData() + done, data.size() - done);
        if (n <= 0 || out.error() != QFileDevice::NoError)
            return out.error() != QFileDevice::NoError ? out.errorString() : QStringLiteral("nothing could be written");
        done += n;
    }
    return std::nullopt;
}
