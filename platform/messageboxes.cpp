#include "platform/messageboxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

int QtMessageBoxes::MsgBox(const QString& text, int style, const QString& title)
{
    const QPointer<QWidget> previous = QApplication::activeWindow();
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title.isEmpty() ? msgbox::kAppTitle : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (style == msgbox::kOkOnly) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    } else {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(style == msgbox::kOkCancelDefaultCancel ? QMessageBox::Cancel : QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
    // The keyboard goes back to the window that had it; without a window manager
    // nothing else gives it back, and a keyboard user would be stranded.
    if (previous && previous->isVisible())
        previous->activateWindow();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? msgbox::kOk : msgbox::kCancel;
}
