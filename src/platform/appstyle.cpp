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
    // On Wayland a menu bar must not take the focus for its keyboard navigation: a menu that
    // Alt+letter opened then closes at once, and the keyboard cannot reach its entries. Taking
    // the focus asks the compositor to activate the window, whose menu (a popup of its own,
    // with the keyboard) then goes: in Qt 6.4 through QWaylandXdgSurface::requestActivate on
    // every focusObjectChanged, and in Qt 6.8 still through QWidgetPrivate::setFocus_sys,
    // which asks for the window's activation whenever it is not the focus window (seen under
    // mutter 43 and 48). Without that navigation mode the menu opens and keeps the keys; Left
    // and Right still move between the menus, which the open menu handles. X11 keeps it.
    if (hint == SH_MenuBar_AltKeyNavigation &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
