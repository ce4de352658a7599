#pragma once
#include <optional>
#include <QString>

// The file-open dialog: an existing file only; nothing on Cancel.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // filter in Qt's form, e.g. "Audio Files (*.mp3 *.wav)". Returns an absolute path.
    virtual std::optional<QString> openExisting(const QString& filter) = 0;
};

class QtFileDialog : public FileDialog {
public:
    std::optional<QString> openExisting(const QString& filter) override;
};
