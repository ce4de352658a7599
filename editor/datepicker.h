#pragma once
#include <QDateEdit>

// The alarm-date input: month/day/year with a calendar pop-up and an earliest
// selectable day. A day before the earliest day that the program sets (an armed
// reminder whose day has passed) is shown as it is; the user still cannot choose one.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    void setValue(const QDate& day);
    QDate value() const { return date(); }
    void setEarliest(const QDate& day);

private:
    void keepWithinEarliest(const QDate& day);

    QDate m_earliest;
    QDate m_shownPast;
};
