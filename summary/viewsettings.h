#pragma once
#include <QDialog>
#include <QStringList>

class QPushButton;

// The read-only listing of the three saved reminders, drawn on the window from a fresh read of
// reminders.dat each time the window becomes active, and each time the saved reminders change.
class viewsettings : public QDialog {
    Q_OBJECT
public:
    explicit viewsettings(QWidget* parent = nullptr);
    ~viewsettings() override;
    // The summary window that is loaded, if one is: the first window tagged "chimeview".
    static viewsettings* loaded();

    void Form_Activate();
    void OKButton_Click();
    QStringList listing() const { return m_lines; }

    QPushButton* OKButton = nullptr;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_lines;
};
