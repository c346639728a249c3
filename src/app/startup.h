// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// The drawn co-brand number, 1..7; 0 until the draw at start-up.
extern qint16 intCoBrandRandomNumber;

// What the process runs first: refuses a second instance, seeds the random generator, gives the
// update reminder its chance, shows the entry window and makes the co-brand draw.
void StartUp();

// Decides once per run which of the entry window's two offers is in front.
void CoBrand_Randomize();
