#pragma once
#include <memory>
#include <QString>

class QLockFile;

// One copy of the program per user and program folder.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // False when another copy holds the program; true (and held until exit) otherwise.
    virtual bool acquire() = 0;
};

// A lock file in the per-user runtime folder, named after the user and the
// program's absolute path. A lock left by a killed copy is recognised as stale.
class LockFileInstance : public SingleInstance {
public:
    explicit LockFileInstance(const QString& executablePath);
    ~LockFileInstance() override;
    bool acquire() override;
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
