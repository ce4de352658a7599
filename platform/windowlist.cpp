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

void remove(QWidget* window) { windows().removeAll(window); }

QList<QWidget*> all()
{
    QList<QWidget*> out;
    for (const auto& w : windows()) {
        if (w)
            out.append(w);
    }
    return out;
}

QString tagOf(const QWidget* window) { return window->property("Tag").toString(); }

QWidget* firstTagged(const QString& tag)
{
    for (QWidget* w : all()) {
        if (tagOf(w) == tag)
            return w;
    }
    return nullptr;
}

bool closeFirstTagged(const QString& tag)
{
    QWidget* w = firstTagged(tag);
    if (w)
        w->close();
    return w != nullptr;
}

}  // namespace windowlist
