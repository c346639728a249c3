// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/seams.h"

#include <memory>

class QSettings;

namespace platform {

// The settings seam on a QSettings INI file per application, $XDG_CONFIG_HOME/<application>.ini,
// read and written through one QSettings that the store keeps while it works on that file. A
// file that Qt cannot parse, or anything else in the file's place, reads as a failure and is never
// written: it stays as it is, byte for byte. Once the file has failed, it counts as failed for as
// long as the store works on it.
class IniSettingsStore final : public SettingsStore
{
public:
    IniSettingsStore();
    ~IniSettingsStore() override;

    std::optional<QString> read(const QString &application, const QString &section,
                                const QString &key) override;
    bool save(const QString &application, const QString &section, const QString &key,
              const QString &value) override;

    static QString path(const QString &application);

private:
    // The application's file, parsed all through as it is on disk now; nullptr when it cannot be
    // trusted.
    QSettings *checkedFile(const QString &application);

    std::unique_ptr<QSettings> m_file;
    QString m_filePath;
};

} // namespace platform
