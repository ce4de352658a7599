#pragma once
#include <optional>
#include "platform/services.h"

class Turns;

// The log-on start entry: there exactly while a reminder is armed, so that the program starts at
// the next log-on while it has alarms to watch. It follows the saved reminders whenever they
// change, so that a log-out, a crash or a power cut never leaves armed alarms without it.
class LogonRule {
public:
    LogonRule(const Services& services, Turns& turns) : m_services(services), m_turns(turns) {}

    // The saved reminders changed: the entry follows once every handler has ended.
    void SavedRecordsChanged();
    // The entry brought in step with the saved reminders; report: a failure is shown (once for
    // each wanted state).
    void SyncLogonEntry(bool report);
    void ApplyLogonRule(bool anyArmed, bool report);

private:
    Services m_services;
    Turns& m_turns;
    bool m_queued = false;
    std::optional<bool> m_reported;  // the wanted state whose failing entry was reported
};
