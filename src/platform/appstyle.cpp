// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/appstyle.h"

#include <QGuiApplication>

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                             const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(icon, option, widget);
}

int AppStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                        QStyleHintReturn *returnData) const
{
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // Qt 6.4's Wayland platform asks the compositor to activate the window whenever the focus
    // moves inside it (QWaylandXdgSurface::requestActivate on focusObjectChanged, mended in Qt
    // 6.5). A menu bar opening a menu by its Alt+letter shortcut then takes the focus for its
    // keyboard navigation, the activation closes the menu just opened, and the keyboard cannot
    // reach the menus' entries. Without that navigation mode the menu opens and keeps the keys;
    // Left and Right still move between the menus, which the open menu handles. X11 keeps it.
    if (hint == SH_MenuBar_AltKeyNavigation &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return 0;
#endif
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
