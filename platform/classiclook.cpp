#include "platform/classiclook.h"

#include <QWidget>

namespace classiclook {

namespace {
void substituteOnce()
{
    static const bool done = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("DejaVu Sans Condensed")});
        QFont::insertSubstitutions(
            QStringLiteral("MS Serif"),
            {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif Condensed")});
        QFont::insertSubstitutions(
            QStringLiteral("Times New Roman"),
            {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        return true;
    }();
    (void)done;
}
}  // namespace

QFont font(bool bold, const QString& family, qreal points)
{
    substituteOnce();
    QFont f(family);
    f.setStyleHint(family.contains(QLatin1String("Sans")) ? QFont::SansSerif : QFont::Serif);
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

void paint(QWidget* window)
{
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

}  // namespace classiclook
