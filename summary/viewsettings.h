#pragma once
#include <QDialog>
#include <QStringList>
#include "platform/services.h"

class QPushButton;

// The read-only listing of the three saved reminders, drawn on the window from a
// fresh read of reminders.dat each time the window becomes active.
class viewsettings : public QDialog {
    Q_OBJECT
public:
    explicit viewsettings(const Services& services, QWidget* parent = nullptr);
    ~viewsettings() override;

    void Form_Activate();
    void OKButton_Click();
    QStringList listing() const { return m_lines; }

    QPushButton* OKButton = nullptr;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Services m_services;
    QStringList m_lines;
};
