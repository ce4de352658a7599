#include "platform/logonentry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include "platform/errors.h"
#include "platform/wholewrite.h"

namespace desktopentry {

namespace {
// A value of the string type: back-slash and the control characters escaped.
QString stringValue(const QString& text)
{
    QString value;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            value += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            value += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            value += QLatin1String("\\r");
        else
            value += c;
    }
    return value;
}

// The icon beside the executable: the entry shows it whether or not a theme has it.
QString iconPath(const QString& executablePath)
{
    return QFileInfo(executablePath).dir().filePath(QStringLiteral("chimewright.png"));
}
}  // namespace

QString execValue(const QString& executablePath)
{
    // Inside a quoted argument, " ` $ and \ take a back-slash; % is doubled as a
    // field code; then the value as a whole is escaped as a string.
    QString quoted;
    for (const QChar c : executablePath) {
        if (QStringView(u"\"`$\\").contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return stringValue(QLatin1Char('"') + quoted + QLatin1Char('"'));
}

QString entryText(const QString& executablePath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Chimewright\n"
                          "Comment=Reminders and alarms in the notification area\n"
                          "Exec=%1\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execValue(executablePath), stringValue(iconPath(executablePath)));
}

}  // namespace desktopentry

XdgAutostart::XdgAutostart()
    : m_folder(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) +
               QStringLiteral("/autostart"))
{}

bool XdgAutostart::exists(const QString& name) const
{
    return QFileInfo::exists(m_folder + QLatin1Char('/') + name);
}

void XdgAutostart::create(const QString& name, const QString& executablePath)
{
    if (!QDir().mkpath(m_folder))
        throw AppError(QStringLiteral("Could not create the log-on start folder %1").arg(m_folder));
    // Whole or not at all: a torn entry would never be written again, since an
    // existing entry is left as it is.
    const QString path = m_folder + QLatin1Char('/') + name;
    if (const auto reason = saveWhole(path, desktopentry::entryText(executablePath).toUtf8()))
        throw AppError(
            QStringLiteral("Could not write the log-on start entry %1: %2").arg(path, *reason));
}

void XdgAutostart::remove(const QString& name)
{
    QFile file(m_folder + QLatin1Char('/') + name);
    if (!file.remove())
        throw AppError(QStringLiteral("Could not delete the log-on start entry %1: %2")
                           .arg(file.fileName(), file.errorString()));
}
