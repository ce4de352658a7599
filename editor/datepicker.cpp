#include "editor/datepicker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace {
const QDate kFirstDay(1601, 1, 1);
}

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    setCalendarPopup(true);
    setDateRange(kFirstDay, QDate(9999, 12, 31));
    setDate(QDate(2001, 12, 6));
    connect(this, &QDateEdit::dateChanged, this, &DatePicker::keepWithinEarliest);
    connect(this, &QAbstractSpinBox::editingFinished, this, &DatePicker::finishTyping);
    lineEdit()->installEventFilter(this);
}

void DatePicker::setValue(const QDate& day)
{
    if (!day.isValid())
        return;
    // The program's day replaces whatever was being typed.
    m_typing = false;
    m_shownPast = m_earliest.isValid() && day < m_earliest ? day : QDate();
    if (day < minimumDate())
        setMinimumDate(day);
    setDate(day);
    applyFloor();
}

// A day shown before the new earliest day stays as it is shown: whether it follows
// is the caller's to say. An entry being typed meets the new day when it is finished.
void DatePicker::setEarliest(const QDate& day)
{
    m_earliest = day;
    if (m_typing)
        return;
    m_shownPast = date() < day ? date() : QDate();
    applyFloor();
}

// The lowest day the field takes: any while the user types, else the earlier day
// the program shows, else the earliest day. Raising it clamps a day below it.
void DatePicker::applyFloor()
{
    if (m_typing)
        setMinimumDate(kFirstDay);
    else if (m_shownPast.isValid())
        setMinimumDate(m_shownPast);
    else if (m_earliest.isValid())
        setMinimumDate(m_earliest);
}

void DatePicker::finishTyping()
{
    m_advanced = false;
    if (!m_typing)
        return;
    // The heading reads MM/DD/YY: a year finished with two digits is one of this century.
    static const QRegularExpression twoDigitYear(QStringLiteral("^(\\d+/\\d+/)(\\d{2})$"));
    const QRegularExpressionMatch year = twoDigitYear.match(lineEdit()->text());
    if (year.hasMatch())
        lineEdit()->setText(year.captured(1) + QStringLiteral("20") + year.captured(2));
    m_typing = false;
    if (date() != m_shownPast)
        m_shownPast = {};
    applyFloor();
}

void DatePicker::keepWithinEarliest(const QDate& day)
{
    if (m_typing || !m_shownPast.isValid() || day == m_shownPast)
        return;
    // The user moved away from a past day that the program showed: the earliest
    // day rules again.
    m_shownPast = {};
    applyFloor();
}

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool digit = text.size() == 1 && text[0].isDigit() && text[0].unicode() < 0x80;
    if (text == QLatin1String("/") && m_advanced) {
        m_advanced = false;  // the digit before filled its part and moved on: no part is skipped
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F4:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        finishTyping();  // a step or the calendar chooses among the days offered
        break;
    default:
        if (digit && !m_typing) {
            m_typing = true;
            applyFloor();
        }
    }
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    m_advanced = digit && currentSection() != before;
}

void DatePicker::focusOutEvent(QFocusEvent* event)
{
    finishTyping();  // before the field reads the entry, which would drop a two-digit year
    QDateEdit::focusOutEvent(event);
}

void DatePicker::mousePressEvent(QMouseEvent* event)
{
    finishTyping();  // the calendar offers no day before the earliest
    QDateEdit::mousePressEvent(event);
}

void DatePicker::stepBy(int steps)
{
    finishTyping();
    QDateEdit::stepBy(steps);
}

// A click into the text selects the part under it, so that digits typed replace it.
bool DatePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease) {
        m_advanced = false;
        if (!lineEdit()->hasSelectedText())
            setSelectedSection(currentSection());
    }
    return QDateEdit::eventFilter(watched, event);
}
