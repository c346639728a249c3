// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/windowing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void showWithKeyboard(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void replaceWindow(QWidget &leaving, QWidget &coming)
{
    leaving.hide();
    showWithKeyboard(coming);
}

void keepAboveOthers(QWidget &window)
{
    window.setWindowFlag(Qt::WindowStaysOnTopHint);
}

void keepMessageAboveOthers(QWidget &box, const QWidget *owner)
{
    if (!owner || owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
}

void returnKeyboard(QWidget *owner)
{
    if (owner && owner->isVisible())
        owner->activateWindow();
}

void placeInCentre(QWidget &window)
{
    QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame the window manager will add is not known before the window is mapped: the window
    // itself goes in the middle, its frame a few pixels off.
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

void placeAt(QWidget &window, const QPoint &framePosition)
{
    window.move(framePosition);
}

} // namespace platform
