#pragma once
#include <optional>
#include <QString>

// audioalarm.dat in the current directory: one line, the sound file's path, CR LF.
namespace soundsetting {
constexpr const char* kName = "audioalarm.dat";
constexpr const char* kDefaultSound = "odetojoy.mid";

// The whole first line, without its line end and without surrounding double
// quotes; nothing when the file is missing, unreadable or holds no path. Throws
// AppError when the name stands for something other than a file.
std::optional<QString> read();
// Replaces the file atomically; throws AppError when it cannot.
void write(const QString& path);
}  // namespace soundsetting
