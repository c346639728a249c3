// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/exitflow.h"

#include "platform/windowing.h"
#include "referral/frmNagScreen2.h"

void ShowExitPromotion(QWidget &closing)
{
    platform::replaceWindow(closing, LoadedWindows::load<frmNagScreen2>());
}
