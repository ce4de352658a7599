#pragma once
#include <optional>
#include <QFile>
#include <QString>

// Data files are read only as regular files: a named pipe or a device named like one
// would hold the open or every read for ever, and a folder cannot be read at all.
namespace regularfile {

struct Refusal {
    enum Kind { Missing, NotAFile, Failed } kind;
    QString reason;  // the system's words, or what the name stands for instead of a file
};

// Opens the file named by file.fileName() for reading. The open never waits, and the
// kind is checked on the opened file itself, so nothing swapped in after a check slips
// through. Gives why it could not, or nothing when the file is open.
std::optional<Refusal> openForReading(QFile& file);

// Why path cannot be replaced as a data file: it names something other than a regular
// file (a link is followed). Nothing when it is a regular file or there is none.
std::optional<QString> notAFile(const QString& path);

}  // namespace regularfile
