#pragma once
#include <optional>
#include <QByteArray>
#include <QString>
#include "store/fileslot.h"
#include "store/reminderrecord.h"

// reminders.dat in the current directory: fixed records of 2068 bytes, reminder N
// at offset (N - 1) x 2068. An open file holds the single file slot until it is
// closed or destroyed. Reading past the end gives zero bytes and never lengthens
// the file; every write replaces the whole file through a temporary file, so a
// kill or a full disk never leaves a torn record.
class RemindersFile {
public:
    static constexpr const char* kName = "reminders.dat";

    // Opens, creating an empty file when missing. recordLength: the record image's, 2068.
    explicit RemindersFile(int recordLength);
    ~RemindersFile();
    RemindersFile(const RemindersFile&) = delete;
    RemindersFile& operator=(const RemindersFile&) = delete;

    void open();  // again, after close()
    ReminderRecord read(int n) const;
    void write(int n, const ReminderRecord& record);
    void close();
    bool isOpen() const { return m_slot.has_value(); }

private:
    QByteArray readAll() const;

    std::optional<FileSlot> m_slot;
};
