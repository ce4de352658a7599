#pragma once
#include <QDateEdit>

// The alarm-date input: month/day/year with a calendar pop-up and an earliest
// selectable day. A day before the earliest day that the program sets (an armed
// reminder whose day has passed) is shown as it is; the user still cannot choose one.
// A date is typed part by part through days before the earliest day (01/15/2027
// passes 01/15/2026 on its way): while the user types, any day is taken, and a
// finished entry before the earliest day is not kept.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    void setValue(const QDate& day);
    QDate value() const { return date(); }
    void setEarliest(const QDate& day);
    QDate earliest() const { return m_earliest; }
    bool isTyping() const { return m_typing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void stepBy(int steps) override;

private:
    void keepWithinEarliest(const QDate& day);
    void finishTyping();
    void applyFloor();

    QDate m_earliest;
    QDate m_shownPast;
    bool m_typing = false;
    bool m_advanced = false;  // the last digit filled its part and moved on to the next
};
