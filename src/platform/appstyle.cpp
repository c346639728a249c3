// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/appstyle.h"

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                             const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(icon, option, widget);
}
