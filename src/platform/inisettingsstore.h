// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/seams.h"

namespace platform {

// The settings seam on a QSettings INI file per application, $XDG_CONFIG_HOME/<application>.ini.
// A file that Qt cannot parse, or anything else in the file's place, reads as a failure and is
// never overwritten.
class IniSettingsStore final : public SettingsStore
{
public:
    std::optional<QString> read(const QString &application, const QString &section,
                                const QString &key) override;
    bool save(const QString &application, const QString &section, const QString &key,
              const QString &value) override;

    static QString path(const QString &application);
};

} // namespace platform
