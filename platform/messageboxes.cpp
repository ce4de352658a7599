#include "platform/messageboxes.h"

#include <algorithm>
#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>

namespace {
// The width a window manager's title bar needs for the whole title: window managers
// draw it in a bold font about the size of the application's or larger, beside an
// icon and up to four buttons. A box sized for its text alone cut "Chimewright
// Personal Alarm" short.
int titleBarWidth(const QString& title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(std::max(font.pointSizeF(), 10.0));
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + 6 * metrics.height();
}
}  // namespace

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
        box.setDefaultButton(style == msgbox::kOkCancelDefaultCancel ? QMessageBox::Cancel
                                                                     : QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box.windowTitle()), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
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
