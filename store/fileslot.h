#pragma once

// The program's single data-file slot: at most one of its data files is open at a
// time. Opening a second one is a programming error and throws std::logic_error,
// so tests see it at once.
class FileSlot {
public:
    FileSlot();
    ~FileSlot();
    FileSlot(const FileSlot&) = delete;
    FileSlot& operator=(const FileSlot&) = delete;

    static bool busy();

private:
    static bool s_busy;
};
