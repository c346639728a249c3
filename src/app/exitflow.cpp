// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/exitflow.h"

#include "referral/frmNagScreen2.h"

void ShowExitPromotion()
{
    LoadedWindows::load<frmNagScreen2>().showOnTop();
}
