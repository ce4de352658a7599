#pragma once
#include <functional>
#include <QList>
#include <QString>

class MessageBoxes;

// Whose turn it is to touch reminders.dat. Every handler runs here, under the general error
// handling. Handlers nest: a box waiting for its answer runs a modal loop, which delivers ticks,
// clicks and signals to further handlers. Such a handler must not open the file, nor change what
// the waiting one has read: its record steps wait for their turn, until every handler has ended.
class Turns {
public:
    explicit Turns(MessageBoxes& boxes) : m_boxes(boxes) {}

    // Runs a handler. A failure abandons the rest of it and is shown in a "Chimewright" box; the
    // program goes on. Steps that waited run once the last handler has ended.
    void run(const std::function<void()>& handler);
    // The one question, asked by a running handler: may it touch the file now? Not while another
    // handler waits in a box, nor while the file is open.
    bool mayTouchFileNow() const;
    // A step for when every handler has ended.
    void defer(std::function<void()> step);

    // The general error box; none once the program is ending, where a box would keep it running
    // (a record it could not write is still as it was and is met again at the next start).
    void ReportError(const QString& text);
    void end() { m_ended = true; }
    bool hasEnded() const { return m_ended; }

private:
    MessageBoxes& m_boxes;
    int m_depth = 0;  // handlers in progress
    bool m_running = false;
    bool m_ended = false;
    QList<std::function<void()>> m_waiting;
};
