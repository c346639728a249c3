// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// What goes wrong out of the user's sight, for whoever looks into it. Off unless asked for, e.g.
// QT_LOGGING_RULES="skyrand.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
Q_DECLARE_LOGGING_CATEGORY(lcInstance)
Q_DECLARE_LOGGING_CATEGORY(lcBrowser)
