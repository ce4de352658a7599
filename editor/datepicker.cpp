#include "editor/datepicker.h"

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    setCalendarPopup(true);
    setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    setDate(QDate(2001, 12, 6));
    connect(this, &QDateEdit::dateChanged, this, &DatePicker::keepWithinEarliest);
}

void DatePicker::setValue(const QDate& day)
{
    if (!day.isValid())
        return;
    if (m_earliest.isValid() && day < m_earliest) {
        m_shownPast = day;
        setMinimumDate(day);
    }
    setDate(day);
}

void DatePicker::setEarliest(const QDate& day)
{
    m_earliest = day;
    m_shownPast = {};
    setMinimumDate(day);
}

void DatePicker::keepWithinEarliest(const QDate& day)
{
    if (!m_earliest.isValid() || !m_shownPast.isValid() || day == m_shownPast)
        return;
    // The user moved away from a past day that the program showed: the earliest
    // day rules again.
    m_shownPast = {};
    setMinimumDate(m_earliest);
    if (day < m_earliest)
        setDate(m_earliest);
}
