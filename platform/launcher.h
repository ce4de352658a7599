#pragma once
#include <QString>
#include <QStringList>

// Starts a program without waiting and without a shell.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool startDetached(const QString& program, const QStringList& args,
                               const QString& workDir) = 0;
};

class QtLauncher : public Launcher {
public:
    bool startDetached(const QString& program, const QStringList& args,
                       const QString& workDir) override;
};
