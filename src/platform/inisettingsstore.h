#pragma once

#include "platform/seams.h"

#include <QSet>

namespace platform {

// The settings seam on a QSettings INI file per application, $XDG_CONFIG_HOME/<application>.ini.
// A file that Qt cannot parse reads as a failure and is never overwritten.
class IniSettingsStore final : public SettingsStore
{
public:
    std::optional<QString> read(const QString &application, const QString &section,
                                const QString &key) override;
    bool save(const QString &application, const QString &section, const QString &key,
              const QString &value) override;

    static QString path(const QString &application);

private:
    // Files found unreadable. Qt keeps what it parsed of a file for as long as the file is
    // unchanged and does not report the error again, so a later save would not see it.
    QSet<QString> m_unreadable;
};

} // namespace platform
