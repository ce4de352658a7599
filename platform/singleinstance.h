#pragma once
#include <functional>
#include <memory>
#include <QString>

class QLocalServer;
class QLockFile;

// One copy of the program per user and program folder.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // False when another copy holds the program: that copy is asked to bring its main
    // window forward. True (held until exit) otherwise; each later start then calls asked.
    virtual bool acquire(std::function<void()> asked) = 0;
};

// A lock file in the per-user runtime folder, named after the user and the
// program's absolute path. A lock left by a killed copy is recognised as stale.
// Beside it, a local socket of the same name carries a later start's request.
class LockFileInstance : public SingleInstance {
public:
    explicit LockFileInstance(const QString& executablePath);
    ~LockFileInstance() override;
    bool acquire(std::function<void()> asked) override;

private:
    void askRunningCopy() const;

    QString m_path;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
