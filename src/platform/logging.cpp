// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/logging.h"

// Debug lines stay off by default: the program logs nothing unless asked.
Q_LOGGING_CATEGORY(lcSettings, "skyrand.settings", QtInfoMsg)
Q_LOGGING_CATEGORY(lcInstance, "skyrand.instance", QtInfoMsg)
Q_LOGGING_CATEGORY(lcBrowser, "skyrand.browser", QtInfoMsg)
