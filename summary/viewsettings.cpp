#include "summary/viewsettings.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include "platform/classiclook.h"
#include "platform/errors.h"
#include "platform/windowlist.h"
#include "store/savedrecords.h"
#include "summary/listing.h"

viewsettings::viewsettings(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("viewsettings"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Chimewright Alarm Settings"));
    setWindowIcon(QIcon(QStringLiteral(":/chimewright.xpm")));
    setFixedSize(293, 319);  // 4395 x 4785 twips
    classiclook::paint(this);
    setFont(classiclook::font());
    OKButton = new QPushButton(QStringLiteral("Ok"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(106, 288, 81, 25);
    OKButton->setAccessibleName(QStringLiteral("Ok"));
    connect(OKButton, &QPushButton::clicked, this, &viewsettings::OKButton_Click);
    windowlist::add(this, QStringLiteral("chimeview"));
}

viewsettings::~viewsettings() { windowlist::remove(this); }

viewsettings* viewsettings::loaded()
{
    return qobject_cast<viewsettings*>(windowlist::firstTagged(QStringLiteral("chimeview")));
}

bool viewsettings::event(QEvent* event)
{
    // Shown counts as well: a Wayland compositor may show the window without ever
    // activating it, and the window would stay blank.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        Form_Activate();
    return QDialog::event(event);
}

void viewsettings::Form_Activate()
{
    // The listing is drawn afresh from the saved file each time, also while a handler
    // holds the file behind a box.
    try {
        const ReminderTable saved = savedrecords::read();
        m_lines = listing::lines({saved(1), saved(2), saved(3)});
    } catch (const AppError& e) {
        m_lines = QStringList{e.text()};
    }
    // The lines are painted, so a screen reader gets them as the window's description.
    setAccessibleDescription(m_lines.join(QLatin1Char('\n')));
    update();
}

void viewsettings::OKButton_Click() { close(); }

void viewsettings::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int y = metrics.ascent();
    for (const QString& line : m_lines) {
        painter.drawText(0, y, line);
        y += metrics.height();
    }
}
