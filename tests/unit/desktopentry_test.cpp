// The log-on entry's Exec line, read back as a desktop reads it.
#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QStringList>
#include "platform/logonentry.h"

namespace {
// The Desktop Entry rules: string escapes first, then quoted arguments, then field codes.
QStringList execArgs(const QString& value)
{
    QString s;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value[++i];
            s += n == QLatin1Char('s') ? QLatin1Char(' ') : n == QLatin1Char('n') ? QLatin1Char('\n')
               : n == QLatin1Char('t') ? QLatin1Char('\t') : n == QLatin1Char('r') ? QLatin1Char('\r') : n;
        } else {
            s += value[i];
        }
    }
    QStringList args;
    QString cur;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < s.size()) {
                cur += s[++i];
            } else if (c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')) {
                return {QStringLiteral("unescaped reserved character")};  // a shell would expand it
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cur += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == QLatin1Char(' ')) {
            if (any)
                args << cur;
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (any)
        args << cur;
    for (QString& a : args)
        a.replace(QLatin1String("%%"), QLatin1String("%"));
    return args;
}
}  // namespace

TEST(DesktopEntry, ExecStartsExactlyThisExecutable)
{
    for (const QString& path : {QStringLiteral("/opt/chimewright/chimewright"),
                                QStringLiteral("/home/ann/My Apps/chime wright"),
                                QStringLiteral("/tmp/a\"b/`rm -rf x`/$HOME/100%/back\\slash/chimewright"),
                                QStringLiteral("/tmp/%f %u/chimewright")}) {
        const QString exec = desktopentry::execValue(path);
        EXPECT_EQ(execArgs(exec), QStringList{path}) << exec.toStdString();
        EXPECT_FALSE(exec.contains(QRegularExpression(QStringLiteral("(^|[^%])%[fFuUick]")))) << "no live field code";
    }
}

TEST(DesktopEntry, ValidEntry)
{
    const QString text = desktopentry::entryText(QStringLiteral("/opt/c/chimewright"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    for (const char* line : {"Type=Application\n", "Name=Chimewright\n", "Exec=\"/opt/c/chimewright\"\n", "Terminal=false\n"})
        EXPECT_TRUE(text.contains(QLatin1String(line))) << line;
}
