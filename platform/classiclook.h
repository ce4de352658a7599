#pragma once
#include <QFont>

class QWidget;

// The look the windows were drawn for: the classic dialog fonts, or the nearest ones here, on
// the classic grey.
namespace classiclook {
// "MS Sans Serif" 8.25 points unless named otherwise.
QFont font(bool bold = false, const QString& family = QStringLiteral("MS Sans Serif"),
           qreal points = 8.25);
// The grey background, and grey text where a control is disabled.
void paint(QWidget* window);
}  // namespace classiclook
