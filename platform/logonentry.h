#pragma once
#include <QString>

// Per-user log-on start entries, by name.
class LogonEntries {
public:
    virtual ~LogonEntries() = default;
    virtual bool exists(const QString& name) const = 0;
    // Never overwrites an existing entry.
    virtual void create(const QString& name, const QString& executablePath) = 0;
    virtual void remove(const QString& name) = 0;
};

// The XDG autostart folder: $XDG_CONFIG_HOME/autostart/<name>.
class XdgAutostart : public LogonEntries {
public:
    XdgAutostart();
    bool exists(const QString& name) const override;
    void create(const QString& name, const QString& executablePath) override;
    void remove(const QString& name) override;
    QString folder() const { return m_folder; }

private:
    QString m_folder;
};

namespace desktopentry {
// The Exec value that starts exactly this executable, quoted and escaped by the
// Desktop Entry rules.
QString execValue(const QString& executablePath);
QString entryText(const QString& executablePath);
}  // namespace desktopentry
