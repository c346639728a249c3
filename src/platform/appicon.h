// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The program's icon, for every window and picture that shows it.
QIcon applicationIcon();
