#include "app/logonrule.h"

#include "alarm/turns.h"
#include "platform/errors.h"
#include "platform/logonentry.h"
#include "store/savedrecords.h"

namespace {
const QString kEntryName = QStringLiteral("Chimewright.EXE.desktop");
const QString kOtherEntryName = QStringLiteral("Shortcut to Chimewright.EXE.desktop");
}  // namespace

void LogonRule::SavedRecordsChanged()
{
    if (std::exchange(m_queued, true))
        return;
    m_turns.defer([this] {
        m_queued = false;
        SyncLogonEntry(true);
    });
}

void LogonRule::SyncLogonEntry(bool report)
{
    bool anyArmed = false;
    try {
        const ReminderTable saved = savedrecords::read();
        for (int n = 1; n <= 3; ++n)
            anyArmed = anyArmed || saved(n).AlarmSet != 0;
    } catch (const AppError&) {
        return;  // the handler that met the unreadable file has told it; the entry stays
    }
    ApplyLogonRule(anyArmed, report);
}

// One entry, never two, and an existing one is never overwritten. An entry that cannot be
// written or removed is reported once for each wanted state, and never keeps the program from
// ending.
void LogonRule::ApplyLogonRule(bool anyArmed, bool report)
{
    LogonEntries* logon = m_services.logon;
    if (!logon)
        return;
    try {
        if (anyArmed) {
            if (!logon->exists(kEntryName) && !logon->exists(kOtherEntryName))
                logon->create(kEntryName, m_services.executablePath);
        } else if (logon->exists(kEntryName)) {
            logon->remove(kEntryName);
        } else if (logon->exists(kOtherEntryName)) {
            logon->remove(kOtherEntryName);
        }
    } catch (const AppError& e) {
        if (report && m_reported != anyArmed) {
            m_reported = anyArmed;
            m_turns.ReportError(e.text());
        }
        return;
    }
    m_reported.reset();
}
