#include "platform/launcher.h"

#include <QProcess>

bool QtLauncher::startDetached(const QString& program, const QStringList& args,
                               const QString& workDir)
{
    return QProcess::startDetached(program, args, workDir);
}
