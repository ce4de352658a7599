#include "platform/windowlist.h"

namespace windowlist {

namespace {
QList<QPointer<QWidget>>& windows()
{
    static QList<QPointer<QWidget>> list;
    return list;
}
}  // namespace

void add(QWidget* window, const QString& tag)
{
    window->setProperty("Tag", tag);
    windows().append(window);
}

void remove(QWidget* window)
{
    windows().removeAll(window);
}

QList<QWidget*> all()
{
    QList<QWidget*> out;
    for (const auto& w : windows()) {
        if (w)
            out.append(w);
    }
    return out;
}

QString tagOf(const QWidget* window)
{
    return window->property("Tag").toString();
}

bool closeFirstTagged(const QString& tag)
{
    for (QWidget* w : all()) {
        if (tagOf(w) == tag) {
            w->close();
            return true;
        }
    }
    return false;
}

}  // namespace windowlist
