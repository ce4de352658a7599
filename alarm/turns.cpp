#include "alarm/turns.h"

#include "platform/errors.h"
#include "platform/messageboxes.h"
#include "store/fileslot.h"

void Turns::run(const std::function<void()>& handler)
{
    ++m_depth;
    try {
        handler();
    } catch (const AppError& e) {
        ReportError(e.text());
    } catch (const std::exception& e) {
        ReportError(QStringLiteral("Unexpected failure: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    --m_depth;
    if (m_depth > 0 || m_running)
        return;
    m_running = true;
    while (!m_waiting.isEmpty())
        run(m_waiting.takeFirst());
    m_running = false;
}

bool Turns::mayTouchFileNow() const { return m_depth <= 1 && !FileSlot::busy(); }

void Turns::defer(std::function<void()> step) { m_waiting.append(std::move(step)); }

void Turns::ReportError(const QString& text)
{
    if (!m_ended)
        m_boxes.MsgBox(text, msgbox::kOkOnly, msgbox::kAppTitle);
}
