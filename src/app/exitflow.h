// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// The close steps of the entry and result windows: the user never leaves from there directly, the
// exit promotion window comes up instead (created on first use) and is left as the visible one,
// with the keyboard.
void ShowExitPromotion(QWidget &closing);
