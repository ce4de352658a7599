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

// Replaces the file at path with data, whole or not at all, through a save file
// opened unbuffered (a buffered one may report a commit whose last flush failed).
// Gives the system's reason of a failure, the earlier file then left as it was.
std::optional<QString> saveWhole(const QString& path, const QByteArray& data);
