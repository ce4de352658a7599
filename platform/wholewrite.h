#pragma once
#include <optional>
#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Writes all of data to a device opened unbuffered and syncs it to the disk. A
// short write is followed up until the system refuses, so that the reason is the
// system's own ("No space left on device", "File too large"). Gives the reason of
// a failure, or nothing.
std::optional<QString> writeWhole(QFileDevice& out, const QByteArray& data);
