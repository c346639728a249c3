// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/exitflow.h"

#include "referral/frmNagScreen2.h"

void ShowExitPromotion(QWidget &closing)
{
    // The closing window leaves the screen first: a window manager may otherwise hand the
    // keyboard back to it as it goes, away from the exit window.
    closing.hide();
    LoadedWindows::load<frmNagScreen2>().showOnTop();
}
