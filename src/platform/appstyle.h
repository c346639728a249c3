// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// The desktop's own style, but for one icon: the overflow button of a menu bar. Qt reads its
// picture from a file and, to learn the file's format, loads every image plugin it has, which
// costs each start a few milliseconds and a few hundred kilobytes. The windows' menus always fit
// their menu bar, so the button never shows.
class AppStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
