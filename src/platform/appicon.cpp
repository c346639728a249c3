#include "platform/appicon.h"

#include <QApplication>
#include <QStyle>

QIcon applicationIcon()
{
    static const QIcon icon(QStringLiteral(":/skyrand/skyrand.svg"));
    return icon;
}

QPalette fixedLightPalette(const QColor &window)
{
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, window);
    return palette;
}
